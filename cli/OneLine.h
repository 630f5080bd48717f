#pragma once

#include <QString>

#include <cstdio>

namespace korvane::cli {

// A message that stays on one line whatever the user typed into it: line
// breaks, tabs and other control characters are written as escapes.
QString oneLine(const QString& message);

// Writes a message of tpp2m to `err` as one line "tpp2m: message".
void printLine(std::FILE* err, const QString& message);

} // namespace korvane::cli
