#pragma once

#include "core/Result.h"

#include <QString>

namespace korvane::cli {

// Sets Qt up for drawing a plot, which never needs a display: the offscreen
// platform, or the platform the user set with the offscreen one behind it
// for when that fails to start. Qt's critical messages reach standard error
// as one line each; one that would abort the run ends it with exit 1.
void preparePlotPlatform();

// Whether the plot may be written to `path`: a regular file or a new name.
// Anything else (a named pipe, a device, a folder, a dangling link) fails, as
// Storage, saying why.
Result<void> checkPlotFile(const QString& path);

} // namespace korvane::cli
