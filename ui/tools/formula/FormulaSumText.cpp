#include "ui/tools/formula/FormulaSumText.h"

#include "core/NumberText.h"
#include "presentation/LocaleNumberText.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// "2*6" for two atoms of an element with 6, "6" for one.
QString term(double count, const QString& value)
{
    return count == 1 ? value : numbertext::shortest15(count) + u'*' + value;
}

template <typename ValueOf>
QString sumLine(const char* label, const std::vector<FormulaTerm>& terms, ValueOf valueOf, const QString& total)
{
    QStringList parts;
    for (const FormulaTerm& t : terms)
        parts << term(t.count, numbertext::shortest(valueOf(t)));
    return QStringLiteral("%1 = %2 = %3").arg(QLatin1String(label), parts.join(QStringLiteral(" + ")), total);
}

// The decimals of a number's text: 3 for "15.999", 0 for "2".
int decimalsOf(const std::string& text)
{
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : int(text.size() - point - 1);
}

} // namespace

QString valenceSumLine(const FormulaSum& sum)
{
    return sumLine(
        "Nv", sum.terms, [](const FormulaTerm& t) { return t.valenceElectrons; },
        numbertext::shortest(sum.valenceElectrons));
}

QString massSumLine(const FormulaSum& sum)
{
    return sumLine(
        "M", sum.terms, [](const FormulaTerm& t) { return t.mass; }, compoundMassText(massToSumDigits(sum)));
}

float massToSumDigits(const FormulaSum& sum)
{
    int decimals = 0;
    for (const FormulaTerm& t : sum.terms)
        decimals = std::max(decimals, decimalsOf(numbers::shortest15(t.count)) + decimalsOf(numbers::shortest(t.mass)));
    const double scale = std::pow(10.0, std::min(decimals, 9));
    return static_cast<float>(std::round(double(sum.mass) * scale) / scale);
}

QString compoundMassText(float mass)
{
    return numbertext::shortest(mass);
}

} // namespace korvane
