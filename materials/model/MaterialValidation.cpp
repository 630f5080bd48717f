#include "materials/model/MaterialValidation.h"

#include "presentation/LineBreaks.h"
#include "materials/model/Material.h"
#include "presentation/LocaleNumberText.h"

namespace korvane {

namespace {

const QString kLineEnd = lineBreak();

// Blank: nothing but space characters.
bool isBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

bool isNumeric(const QString& text, const QLocale& locale)
{
    return numbertext::toDouble(text, locale).has_value();
}

} // namespace

MaterialProblems checkMaterial(MaterialTexts& texts, const QLocale& locale)
{
    MaterialProblems problems;
    if (isBlank(texts.name))
        problems.blank += QStringLiteral("Name must be filled in") + kLineEnd;
    if (isBlank(texts.density))
        problems.blank += QStringLiteral("density must be filled in") + kLineEnd;
    if (isBlank(texts.valenceElectrons))
        problems.blank += QStringLiteral("Number of valence electrons mus be filled in") + kLineEnd;
    if (isBlank(texts.mass))
        problems.blank += QStringLiteral("Atomic mass must be filled in") + kLineEnd;
    if (isBlank(texts.energyGap))
        texts.energyGap = QStringLiteral("0");

    if (!isNumeric(texts.density, locale))
        problems.notNumeric += QStringLiteral("density must be numeric") + kLineEnd;
    if (!isNumeric(texts.valenceElectrons, locale))
        problems.notNumeric += QStringLiteral("Number of valence electrons must be numeric") + kLineEnd;
    if (!isNumeric(texts.mass, locale))
        problems.notNumeric += QStringLiteral("Atomic mass must be numeric") + kLineEnd;
    if (!isNumeric(texts.energyGap, locale))
        problems.notNumeric += QStringLiteral("Energy gap must be numeric") + kLineEnd;
    if (hasLoneSurrogate(texts.name))
        problems.notText += QStringLiteral("Name must not hold half of a character (a lone surrogate)") + kLineEnd;
    if (characterCount(texts.name) > kMaxNameLength)
        problems.tooLong += QStringLiteral("Name must be at most %1 characters long").arg(kMaxNameLength) + kLineEnd;
    return problems;
}

std::optional<float> storableNumber(const QString& text, const QLocale& locale)
{
    return numbertext::toSingle(text, locale);
}

QString notStorableMessage(const QString& text)
{
    return QStringLiteral("\"%1\" is not a number that can be stored.").arg(text);
}

} // namespace korvane
