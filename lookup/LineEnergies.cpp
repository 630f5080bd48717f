#include "lookup/LineEnergies.h"

#include "lines/PhotoelectronLine.h"
#include "presentation/ResultText.h"
#include "query/KineticEnergy.h"

#include <cfloat>

namespace korvane {

namespace {

// The name shown in the source column and the photon energy.
struct Photons {
    QString name;
    double energy = 0;
};

Result<Photons> photonsOf(const LinePhotons& given)
{
    if (given.source && given.photonEnergy)
        return Failed{"--source and --photon-energy cannot be given together", ErrorCode::InvalidInput};
    if (given.photonEnergy) {
        const double energy = *given.photonEnergy;
        if (!(energy > 0) || energy > FLT_MAX)
            return Failed{"--photon-energy must be above 0 eV", ErrorCode::InvalidInput};
        return Photons{QString::fromStdString(electronVolts(energy)), energy};
    }
    if (!given.source)
        return Failed{"--line needs --source (" + sourceKeys() + ") or --photon-energy", ErrorCode::InvalidInput};
    const Result<const XraySource*> source = sourceOfKey(given.source->toStdString());
    if (!source)
        return source.failure();
    return Photons{QString::fromUtf8((*source)->name), (*source)->photonEnergy};
}

// Why the typed line has no energy, after the line's own words.
Failed lineFailure(const QString& text, const Failed& why)
{
    return failed(QStringLiteral("--line \"%1\": %2").arg(text, QString::fromStdString(why.reason)), why.code);
}

} // namespace

Result<ResolvedLine> resolveLine(const QString& text, const LinePhotons& given)
{
    const Result<Photons> photons = photonsOf(given);
    if (!photons)
        return photons.failure();
    const Result<lines::PhotoelectronLine> found = lines::findLine(text.toStdString());
    if (!found)
        return lineFailure(text, found.failure());
    const Result<double> kinetic = kineticEnergy(found->bindingEnergy, photons->energy);
    if (!kinetic)
        return lineFailure(text, kinetic.failure());
    return ResolvedLine{
        LineEnergy{QString::fromStdString(found->name()), photons->name, static_cast<float>(found->bindingEnergy)},
        static_cast<float>(*kinetic)};
}

} // namespace korvane
