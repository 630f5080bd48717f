#pragma once

#include <QLocale>

namespace korvane::test {

// A locale that writes "2.65" and one that writes "2,65", for the texts that
// follow the user's locale.
inline const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
inline const QLocale kGerman(QLocale::German, QLocale::Germany);

} // namespace korvane::test
