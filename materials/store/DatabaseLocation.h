#pragma once

namespace korvane {

// The database file under the working directory.
inline constexpr const char* kDatabasePath = "DataBase/TPP2-data.db";

// What to do when there is no file at the path to open.
enum class WhenMissing { Create, Refuse };

} // namespace korvane
