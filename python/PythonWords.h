#pragma once

#include <QString>

#include <string>

namespace korvane::python {

// A message of tpp2m's resolution of a material in the module's words: the
// "--formula: " before a formula's fault left out.
std::string pythonWords(const QString& message);

} // namespace korvane::python
