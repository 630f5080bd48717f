#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string>

// The conversions between numbers and texts: typed into a field or a command
// line, read from a file, written back. The digits come from core/NumberText;
// these wrappers give them the user's decimal separator.
namespace korvane::numbertext {

// A text of core/NumberText with the locale's decimal separator in place of
// the full stop.
QString localised(const std::string& text, const QLocale& locale = QLocale());

// Strict, locale-aware reading: the whole text must be one number in the
// user's locale, blanks around it allowed. Empty or trailing text fails.
std::optional<double> toDouble(const QString& text, const QLocale& locale = QLocale());

// As toDouble, and the number must also fit a Single.
std::optional<float> toSingle(const QString& text, const QLocale& locale = QLocale());

// Lenient reading of the leading number: blanks are skipped, the decimal point
// is always the full stop, reading stops at the first character that cannot
// continue the number, and a text without a leading number reads as 0.
double leadingNumber(const QString& text);

// Fixed number of decimals, at least one digit before the separator.
QString fixed(double value, int decimals, const QLocale& locale = QLocale());

// The shortest text that reads back as the same Single ("4", "11", "4.5").
QString shortest(float value, const QLocale& locale = QLocale());

// As shortest, without an exponent ("300000", not "3e+05"), for energies.
QString shortestFixed(float value, const QLocale& locale = QLocale());

// A Double with up to 15 significant digits, so 0.1 + 0.2 shows 0.3.
QString shortest15(double value, const QLocale& locale = QLocale());

} // namespace korvane::numbertext
