#include "python/LineEnergy.h"

#include "lookup/LineEnergies.h"
#include "presentation/ResultText.h"
#include "python/PythonWords.h"
#include "python/SingleResults.h"

#include <pybind11/numpy.h>

namespace korvane::python {

py::tuple lineEnergy(const std::string& line, py::handle source, py::handle photonEnergy)
{
    LinePhotons photons;
    if (!source.is_none())
        photons.source = QString::fromStdString(py::str(source).cast<std::string>());
    if (!photonEnergy.is_none()) {
        double value = 0;
        const std::optional<DoubleArray> given = numbersOf(photonEnergy, "photon_energy", &value);
        if (given && given->size() != 1)
            throw py::value_error("photon_energy must be one number");
        photons.photonEnergy = given ? *given->data() : value;
    }
    // tpp2m's own reading of one --line, so the words of each refusal are its own.
    const Result<ResolvedLine> resolved = resolveLine(QString::fromStdString(line), photons);
    if (!resolved)
        throw py::value_error(pythonWords(errorText(resolved)));
    return py::make_tuple(singleScalar(resolved->line.bindingEnergy), singleScalar(resolved->kineticEnergy));
}

} // namespace korvane::python
