#pragma once

#include <QLocale>
#include <QString>

// How the window's result fields show a length and a correction factor: the
// texts of query/ShownText with the user's decimal separator.
namespace korvane::numbertext {

// "0.00 Å": a length in ångström with two decimals.
QString length(float angstrom, const QLocale& locale = QLocale());

// "0.000": a correction factor with three decimals.
QString factor(float value, const QLocale& locale = QLocale());

} // namespace korvane::numbertext
