#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace korvane {

// The parameter texts of a material as the user sees and typed them.
struct MaterialTexts {
    QString name;
    QString density;
    QString valenceElectrons;
    QString mass;
    QString energyGap;
};

// What is wrong with a material before it is written: the list of blank
// fields, the list of fields that hold no number, the list of texts that are
// no text (half a character) and the list of texts too long to be kept
// whole, each entry ending with CR LF. All empty when the material may be
// written.
struct MaterialProblems {
    QString blank;
    QString notNumeric;
    QString notText;
    QString tooLong;
    bool ok() const { return blank.isEmpty() && notNumeric.isEmpty() && notText.isEmpty() && tooLong.isEmpty(); }
};

// Checks the texts, numbers read in `locale`; a blank band gap is first set to "0".
MaterialProblems checkMaterial(MaterialTexts& texts, const QLocale& locale = QLocale());

// A number as it is stored: a Single. No value when the text is no number
// or one too large for a Single.
std::optional<float> storableNumber(const QString& text, const QLocale& locale = QLocale());

// Why a text cannot be stored in a number column.
QString notStorableMessage(const QString& text);

} // namespace korvane
