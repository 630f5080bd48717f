#pragma once

#include <QString>

namespace korvane::cli {

// Sets Qt up for drawing a plot, which never needs a display: the offscreen
// platform, or the platform the user set with the offscreen one behind it
// for when that fails to start. Qt's critical messages reach standard error
// as one line each; one that would abort the run ends it with exit 1.
void preparePlotPlatform();

// Why the plot must not be written to `path`: anything but a regular file or
// a new name (a named pipe, a device, a folder, a dangling link). Empty when
// it may be written.
QString unwritablePlotFile(const QString& path);

} // namespace korvane::cli
