#pragma once

// Takes: the name or ID typed for a material, the database it was looked for
// in and, when there is one, a name that differs from it only in letter case.
// Gives: the words tpp2m and the browser page say when the database has no
// such material.

#include <string>

namespace korvane {

// "no material "Xx" in TPP2-data.db", with " (did you mean "Cu"?)" after it
// when `otherCase` names a material.
std::string noMaterial(const std::string& typed, const std::string& database, const std::string& otherCase = {});

} // namespace korvane
