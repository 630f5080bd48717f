#include "python/LineEnergy.h"

#include "cli/LineEnergies.h"

#include <pybind11/numpy.h>

namespace korvane::python {

namespace {

py::object float32(float value)
{
    return py::array_t<float>(std::vector<py::ssize_t>{}, &value)[py::tuple()];
}

} // namespace

py::tuple lineEnergy(const std::string& line, py::handle source, py::handle photonEnergy)
{
    cli::LinePhotons photons;
    if (!source.is_none())
        photons.source = QString::fromStdString(py::str(source).cast<std::string>());
    if (!photonEnergy.is_none())
        photons.photonEnergy = photonEnergy.cast<double>();
    // tpp2m's own reading of one --line, so the words of each refusal are its own.
    cli::Command command;
    command.energies = {0.0f};
    const QString error = cli::resolveLines({{QString::fromStdString(line), 0}}, photons, command);
    if (!error.isEmpty())
        throw py::value_error(error.toStdString());
    return py::make_tuple(float32(command.lines.front()->bindingEnergy), float32(command.energies.front()));
}

} // namespace korvane::python
