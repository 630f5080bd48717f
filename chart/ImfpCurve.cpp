#include "chart/ImfpCurve.h"

#include <array>

namespace korvane::chart {

QColor curveColour(int index)
{
    // Told apart also by readers with a red-green colour deficiency.
    static const std::array<QColor, kCurveColours> colours = {
        QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00), QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7),
        QColor(0xE6, 0x9F, 0x00), QColor(0x56, 0xB4, 0xE9), QColor(0x00, 0x00, 0x00), QColor(0x80, 0x80, 0x80),
    };
    return colours[static_cast<std::size_t>(((index % kCurveColours) + kCurveColours) % kCurveColours)];
}

QString curveName(const QString& material, ImfpForm form)
{
    return QStringLiteral("%1 (%2)").arg(material, QLatin1String(formName(form)));
}

} // namespace korvane::chart
