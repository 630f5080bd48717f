#pragma once

#include "materials/Material.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace korvane {

// One element of a formula with its count and its own row's Nv and mass.
struct FormulaTerm {
    QString symbol;
    double count = 0;
    float valenceElectrons = 0;
    float mass = 0; // g/mol
};

// Nv and the mass of one formula unit, summed over its elements' rows: the
// sum the worked examples of adding a compound do by hand.
struct FormulaSum {
    std::vector<FormulaTerm> terms; // in the order the formula names them
    float valenceElectrons = 0;
    float mass = 0;

    // What stops the sum: the formula's text, an element not in the table,
    // an element row without a mass or usable valence electrons, or a sum
    // too large for a Single.
    enum class Problem { None, Syntax, UnknownElement, ElementData, TooLarge };
    Problem problem = Problem::None;
    QString error; // the parser's or the sum's message; empty with Problem::None
};

// The element row with this symbol, or null.
using ElementLookup = std::function<const Material*(const QString& symbol)>;
// An element's Nv with the valence groups that count; no value when it is too large.
using ElementValence = std::function<std::optional<float>(const Material& element)>;

// Reads the formula (see parseChemicalFormula) and sums Nv and the mass of
// its elements. An error names the first thing that stops the sum.
FormulaSum sumFormula(const QString& formula, const ElementLookup& element, const ElementValence& valence);

} // namespace korvane
