#include "cli/LineEnergies.h"

#include "lines/PhotoelectronLine.h"
#include "lines/XraySource.h"

#include <cfloat>

namespace korvane::cli {

namespace {

QString electronVolts(double energy)
{
    return QStringLiteral("%1 eV").arg(QString::number(energy, 'g', 15));
}

QString sourceKeys()
{
    QStringList keys;
    for (const lines::XraySource& source : lines::xraySources())
        keys << QString::fromUtf8(source.key);
    return keys.join(QStringLiteral(", "));
}

// The name shown in the source column and the photon energy, or why there are none.
struct Photons {
    QString name;
    double energy = 0;
    QString error;
};

Photons photonsOf(const LinePhotons& given)
{
    if (given.source && given.photonEnergy)
        return {{}, 0, QStringLiteral("--source and --photon-energy cannot be given together")};
    if (given.photonEnergy) {
        const double energy = *given.photonEnergy;
        if (!(energy > 0) || energy > FLT_MAX)
            return {{}, 0, QStringLiteral("--photon-energy must be above 0 eV")};
        return {electronVolts(energy), energy, {}};
    }
    if (!given.source)
        return {{}, 0, QStringLiteral("--line needs --source (%1) or --photon-energy").arg(sourceKeys())};
    const lines::XraySource* source = lines::findXraySource(given.source->toStdString());
    if (!source)
        return {{}, 0, QStringLiteral("unknown source \"%1\" (choose from %2)").arg(*given.source, sourceKeys())};
    return {QString::fromUtf8(source->name), source->photonEnergy, {}};
}

} // namespace

QString resolveLines(const std::vector<TypedLine>& typed, const LinePhotons& given, Command& command)
{
    if (typed.empty()) {
        if (given.source)
            return QStringLiteral("--source needs --line");
        if (given.photonEnergy)
            return QStringLiteral("--photon-energy needs --line");
        return {};
    }
    const Photons photons = photonsOf(given);
    if (!photons.error.isEmpty())
        return photons.error;
    command.lines.resize(command.energies.size());
    for (const TypedLine& line : typed) {
        const Result<lines::PhotoelectronLine> found = lines::findLine(line.text.toStdString());
        if (!found)
            return QStringLiteral("--line \"%1\": %2").arg(line.text, QString::fromStdString(found.error()));
        const double kinetic = lines::kineticEnergy(*found, photons.energy);
        if (!(kinetic > 0))
            return QStringLiteral("--line \"%1\": its binding energy %2 is not below the photon energy %3")
                .arg(line.text, electronVolts(found->bindingEnergy), electronVolts(photons.energy));
        command.energies[line.energyIndex] = static_cast<float>(kinetic);
        command.lines[line.energyIndex] =
            LineEnergy{QString::fromStdString(found->name()), photons.name, static_cast<float>(found->bindingEnergy)};
    }
    return {};
}

} // namespace korvane::cli
