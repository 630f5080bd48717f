#pragma once

#include "core/Result.h"

#include <QString>

#include <optional>

namespace korvane::app {

// Started with this option (as the desktop menu entry does), the program keeps
// its materials database in the user's own data folder rather than in the
// folder it is started from.
inline constexpr const char* kUserDataFolderOption = "--user-data-folder";

// The user's data folder for the program, by the XDG base directory rules:
// XDG_DATA_HOME/korvane, or HOME/.local/share/korvane when XDG_DATA_HOME is
// unset, empty or relative (a relative value is ignored). nullopt when HOME
// is not an absolute path either.
std::optional<QString> userDataFolder(const QString& xdgDataHome, const QString& home);

// Chooses the user's data folder from the environment, makes whatever is
// missing of it (new folders readable by the user alone) and makes it the
// working directory, so that the database path under it is the user's own.
// Gives the folder entered, or why it cannot be used as a sentence: none is
// named (NotFound), or it cannot be made or entered (Storage).
Result<QString> enterUserDataFolder();

} // namespace korvane::app
