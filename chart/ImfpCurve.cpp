#include "chart/ImfpCurve.h"

namespace korvane::chart {

QColor curveColour(int index)
{
    return QColor::fromRgb(curveColourRgb(index));
}

QString curveName(const QString& material, ImfpForm form)
{
    return QString::fromStdString(korvane::curveName(material.toStdString(), form));
}

} // namespace korvane::chart
