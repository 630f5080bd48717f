#include "lookup/LineEnergies.h"

#include "lines/PhotoelectronLine.h"
#include "presentation/ResultText.h"
#include "query/KineticEnergy.h"

namespace korvane {

namespace {

// The name shown in the source column and the photon energy.
struct Photons {
    QString name;
    double energy = 0;
};

// The photons as the request's reader judged them: a photon energy, or else a source.
Result<Photons> photonsOf(const LinePhotons& given)
{
    if (given.photonEnergy)
        return Photons{QString::fromStdString(electronVolts(*given.photonEnergy)), *given.photonEnergy};
    const Result<const XraySource*> source = sourceOfKey(given.source.value_or(QString()).toStdString());
    if (!source)
        return source.failure();
    return Photons{QString::fromUtf8((*source)->name), (*source)->photonEnergy};
}

// Why the typed line has no energy, after the line's own words.
Failed lineFailure(const QString& input, const QString& text, const Failed& why)
{
    return failed(QStringLiteral("%1 \"%2\": %3").arg(input, text, QString::fromStdString(why.reason)), why.code);
}

} // namespace

Result<ResolvedLine> resolveLine(const QString& text, const LinePhotons& given, const QString& input)
{
    const Result<Photons> photons = photonsOf(given);
    if (!photons)
        return photons.failure();
    const Result<lines::PhotoelectronLine> found = lines::findLine(text.toStdString());
    if (!found)
        return lineFailure(input, text, found.failure());
    const Result<double> kinetic = kineticEnergy(found->bindingEnergy, photons->energy);
    if (!kinetic)
        return lineFailure(input, text, kinetic.failure());
    return ResolvedLine{
        LineEnergy{QString::fromStdString(found->name()), photons->name, static_cast<float>(found->bindingEnergy)},
        static_cast<float>(*kinetic)};
}

} // namespace korvane
