#include "ui/ElasticPanels.h"

namespace korvane::ui {

ElasticPanels::ElasticPanels(QWidget* client, const float& storedImfp, QObject* parent)
    : QObject(parent), client_(client), storedImfp_(storedImfp)
{
}

} // namespace korvane::ui
