#include "ui/tools/EnergyHeading.h"

namespace korvane::ui {

QString materialAtEnergy(const QString& name, const Result<MainWindowState::Energy>& energy)
{
    if (energy)
        return QStringLiteral("%1 at %2 eV").arg(name, energy->written);
    return QStringLiteral("%1: the energy %2")
        .arg(name, energy.code() == ErrorCode::OutOfRange ? QStringLiteral("is out of range")
                                                           : QStringLiteral("is not a number"));
}

} // namespace korvane::ui
