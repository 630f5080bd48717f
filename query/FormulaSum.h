#pragma once

// Takes: a chemical formula (UTF-8) and a lookup that gives an element's Nv
// and atomic weight by its symbol.
// Gives: Nv and the mass of one formula unit with each element's term, or
// what stops the sum and its words.

#include "core/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// One element of a formula with its count and its own row's Nv and mass.
struct FormulaTerm {
    std::string symbol;
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
};

// An element row's values for the sum: Nv with the valence groups that count
// (none when too large) and the atomic weight (none when the row has none).
struct ElementValues {
    std::optional<float> valenceElectrons;
    std::optional<float> atomicWeight;
};

// The values of the element with this symbol; none when no row has it.
using ElementValuesLookup = std::function<std::optional<ElementValues>(const std::string& symbol)>;

// Reads the formula (see parseChemicalFormula) and sums Nv and the mass of
// its elements. A failure names the first thing that stops the sum, and its
// code tells which it is: the formula's text (InvalidInput, the reader's
// words), an element not in the table or an element row without a mass or
// usable valence electrons (NotFound), or a sum too large for a Single
// (OutOfRange).
Result<FormulaSum> sumFormula(const std::string& formula, const ElementValuesLookup& element);

// Why a mass or an Nv typed beside a formula is refused: both are summed from
// its elements. `input` and `formula` are the inputs' names as the front end
// writes them ("--mass", "--formula").
std::string typedBesideFormula(const std::string& input, const std::string& formula = "--formula");

} // namespace korvane
