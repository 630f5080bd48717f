#pragma once

#include <QString>

namespace korvane::cli {

// What tpp2m --help prints: every command, its options and an example.
QString helpText();

} // namespace korvane::cli
