#include "ui/tools/curve/CurrentCurve.h"

#include "materials/model/Material.h"
#include "presentation/LocaleNumberText.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/common/ShownNumbers.h"

namespace korvane::ui {

namespace {

QString sourceText(const MainWindowReading& reading, bool drawn)
{
    const QString name = reading.name.trimmed();
    if (!drawn)
        return reading.typed ? QStringLiteral("The typed values do not form a valid material yet: no curve for them.")
                             : QStringLiteral("%1 gives no IMFP with its parameters: no curve.").arg(name);
    if (reading.adding)
        return QStringLiteral("Curve of the new material %1 from its typed values (not saved).").arg(name);
    if (reading.typed)
        return QStringLiteral("Curve of %1 from the typed values (not saved).").arg(name);
    return QStringLiteral("Curve of %1 as saved in the materials list.").arg(name);
}

// The two markers lie close together at most energies: the non-relativistic
// value is written to the left, the relativistic one to the right.
void markEnergy(CurrentCurve& curve, float energy, const QString& energyText, ImfpForm chosen)
{
    QStringList values;
    ImfpInputs inputs = curve.material->inputs;
    inputs.energy = energy;
    for (const ImfpForm form : {ImfpForm::NonRelativistic, ImfpForm::Relativistic}) {
        const std::optional<float> value = imfp(form, inputs).length;
        if (!value)
            continue;
        const QString label = numbertext::length(*value);
        const bool relativistic = form == ImfpForm::Relativistic;
        curve.markers.push_back({QPointF(energy, *value), label, curve.material->colour, form == chosen,
                                 relativistic ? chart::Marker::Side::Right : chart::Marker::Side::Left});
        values << QStringLiteral("%1 %2").arg(label, QLatin1String(formName(form)));
    }
    curve.marked = values.isEmpty()
        ? QStringLiteral("No IMFP at %1 eV: no marker.").arg(energyText)
        : QStringLiteral("At %1 eV: %2.").arg(energyText, values.join(QStringLiteral(", ")));
}

} // namespace

MainWindowReading readMainWindow(const MainWindowState& state)
{
    MainWindowReading reading;
    const MainWindowState::EditingMode mode = state.editingMode();
    reading.typed = mode != MainWindowState::EditingMode::Browsing;
    reading.adding = mode == MainWindowState::EditingMode::Adding;
    const MainWindowState::MaterialNumbers& typed = state.material();
    reading.name = typed.name;
    if (const Result<MainWindowState::Energy>& energy = state.energy()) {
        reading.energy = energy->single;
        reading.energyText = energy->written;
    }
    reading.form = state.form();

    // A name a save takes: not blank, not too long.
    if (reading.typed && (QString(typed.name).remove(u' ').isEmpty() || typed.name.size() > kMaxNameLength))
        return reading;
    const MaterialValues& values = typed.values;
    const std::optional<float> bandGap =
        reading.typed && typed.bandGapBlank ? std::optional<float>(0) : values.bandGap;
    if (!values.density || !values.valenceElectrons || !values.mass || !bandGap)
        return reading;
    const ImfpInputs inputs{*values.density, *values.valenceElectrons, *values.mass, *bandGap, 0};
    reading.material = PlottedMaterial{reading.name, reading.typed ? std::nullopt : state.savedId(), inputs, 0};
    return reading;
}

CurrentCurve currentCurve(const MainWindowReading& reading, const std::vector<float>& energies,
                          std::pair<double, double> range)
{
    CurrentCurve curve;
    if (reading.material) {
        curve.curves = curvesOf(*reading.material, energies, reading.form);
        if (!curve.curves[0].points.empty() || !curve.curves[1].points.empty())
            curve.material = reading.material;
        else
            curve.curves.clear();
    }
    curve.source = sourceText(reading, curve.material.has_value());
    if (!curve.material)
        return curve;
    const std::optional<float> energy = reading.energy;
    if (!(energy && *energy > 0))
        curve.marked = QStringLiteral("The energy box holds no energy above 0 eV: no marker.");
    else if (*energy < range.first || *energy > range.second)
        curve.marked = QStringLiteral("%1 eV lies outside the energy range shown: no marker.").arg(reading.energyText);
    else
        markEnergy(curve, *energy, reading.energyText, reading.form);
    return curve;
}

} // namespace korvane::ui
