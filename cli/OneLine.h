#pragma once

#include <QString>

namespace korvane::cli {

// A message that stays on one line whatever the user typed into it: line
// breaks, tabs and other control characters are written as escapes.
QString oneLine(const QString& message);

} // namespace korvane::cli
