#pragma once

#include <QString>

#include <string>

namespace korvane::python {

// A message of tpp2m's resolution in the module's words: its options named
// as the module's arguments ("--photon-energy" as photon_energy), the
// "--formula: " before a formula's fault left out.
std::string pythonWords(const QString& message);

} // namespace korvane::python
