#include "cli/LineEnergies.h"

#include "lines/PhotoelectronLine.h"
#include "query/KineticEnergy.h"

#include <cfloat>

namespace korvane::cli {

namespace {

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
        return {QString::fromStdString(electronVolts(energy)), energy, {}};
    }
    if (!given.source)
        return {{}, 0,
                QStringLiteral("--line needs --source (%1) or --photon-energy")
                    .arg(QString::fromStdString(sourceKeys()))};
    const Result<const XraySource*> source = sourceOfKey(given.source->toStdString());
    if (!source)
        return {{}, 0, QString::fromStdString(source.error())};
    return {QString::fromUtf8((*source)->name), (*source)->photonEnergy, {}};
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
        const lines::LineLookup found = lines::findLine(line.text.toStdString());
        if (!found.line)
            return QStringLiteral("--line \"%1\": %2").arg(line.text, QString::fromStdString(found.error));
        const Result<double> kinetic = kineticEnergy(found.line->bindingEnergy, photons.energy);
        if (!kinetic)
            return QStringLiteral("--line \"%1\": %2").arg(line.text, QString::fromStdString(kinetic.error()));
        command.energies[line.energyIndex] = static_cast<float>(*kinetic);
        command.lines[line.energyIndex] = LineEnergy{QString::fromStdString(found.line->name()), photons.name,
                                                     static_cast<float>(found.line->bindingEnergy)};
    }
    return {};
}

} // namespace korvane::cli
