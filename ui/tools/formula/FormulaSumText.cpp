#include "ui/tools/formula/FormulaSumText.h"

#include "materials/text/NumberText.h"

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
        "M", sum.terms, [](const FormulaTerm& t) { return t.mass; }, compoundMassText(sum.mass));
}

QString compoundMassText(float mass)
{
    return numbertext::shortest15(std::round(double(mass) * 100) / 100);
}

} // namespace korvane
