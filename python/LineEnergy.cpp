#include "python/LineEnergy.h"

#include "lookup/LineEnergies.h"
#include "presentation/ResultText.h"
#include "python/ScalarArguments.h"
#include "python/SingleResults.h"

#include <pybind11/numpy.h>

namespace korvane::python {

py::tuple lineEnergy(const std::string& line, py::handle source, py::handle photonEnergy)
{
    NamedTexts inputs = {{"line", line}};
    if (!source.is_none())
        inputs.push_back({"source", py::str(source).cast<std::string>()});
    if (!photonEnergy.is_none())
        inputs.push_back({"photon-energy", numberText(photonEnergy, "photon_energy")});
    const Request request = requestOf(inputs, {});
    if (request.lines.size() != 1)
        throw py::value_error("line_energy takes one line (got \"" + line + "\")");
    const RequestedPhotons& photons = request.photons;
    const Result<ResolvedLine> resolved = resolveLine(
        QString::fromStdString(request.lines.front().text),
        {photons.sourceKey ? std::optional(QString::fromStdString(*photons.sourceKey)) : std::nullopt,
         photons.photonEnergy},
        QString::fromStdString(argumentSpelling("line")));
    if (!resolved)
        throw py::value_error(errorText(resolved).toStdString());
    return py::make_tuple(singleScalar(resolved->line.bindingEnergy), singleScalar(resolved->kineticEnergy));
}

} // namespace korvane::python
