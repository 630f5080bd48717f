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

namespace {

// A typed line with photons already known to be usable.
ResolvedLine lineWith(const QString& text, const Photons& photons)
{
    const Result<lines::PhotoelectronLine> found = lines::findLine(text.toStdString());
    if (!found)
        return {std::nullopt, 0, QStringLiteral("--line \"%1\": %2").arg(text, QString::fromStdString(found.error()))};
    const Result<double> kinetic = kineticEnergy(found->bindingEnergy, photons.energy);
    if (!kinetic)
        return {std::nullopt, 0, QStringLiteral("--line \"%1\": %2").arg(text, QString::fromStdString(kinetic.error()))};
    return {LineEnergy{QString::fromStdString(found->name()), photons.name,
                       static_cast<float>(found->bindingEnergy)},
            static_cast<float>(*kinetic), {}};
}

} // namespace

ResolvedLine resolveLine(const QString& text, const LinePhotons& given)
{
    const Photons photons = photonsOf(given);
    if (!photons.error.isEmpty())
        return {std::nullopt, 0, photons.error};
    return lineWith(text, photons);
}

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
        const ResolvedLine resolved = lineWith(line.text, photons);
        if (!resolved.line)
            return resolved.error;
        command.energies[line.energyIndex] = resolved.kineticEnergy;
        command.lines[line.energyIndex] = resolved.line;
    }
    return {};
}

} // namespace korvane::cli
