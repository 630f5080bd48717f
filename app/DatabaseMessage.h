#pragma once

#include <QString>

namespace korvane::app {

// The message of the window's start when the materials database cannot be
// used: what is wrong with it, and whether the file stays as it was or no
// file was made at all.
QString unusableDatabaseMessage(const QString& path, const QString& error, bool fileExists);

} // namespace korvane::app
