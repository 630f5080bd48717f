#pragma once

// Takes: the text of a chemical formula (UTF-8), such as "SiO2" or "Ca(OH)2".
// Gives: each element symbol once with its count per formula unit, or the
// words that name the offending part of the text.

#include "core/Result.h"

#include <string>
#include <vector>

namespace korvane {

// One element of a chemical formula and how many of its atoms a formula unit holds.
struct ElementCount {
    std::string symbol; // as written: a capital letter and up to two small ones
    double count = 0;

    bool operator==(const ElementCount&) const = default;
};

// Reads a formula such as "SiO2", "C22H10N2O5", "Ca(OH)2" or "TiO1.9" into
// each element once, in the order of its first appearance. It reads element
// symbols, each followed by an optional count (a whole or decimal number
// above 0), and parenthesised groups with an optional count that multiplies
// the group. Only the syntax is checked; whether a symbol names an element is
// for the materials table to tell. A failure (InvalidInput) names the
// offending part of the text, its position counted in UTF-16 units as the text fields count.
// A longer text or deeper parentheses are refused with an error: no real
// compound needs them, and the reader's depth is what the stack allows.
inline constexpr std::size_t kMaxFormulaLength = 1000;
inline constexpr int kMaxFormulaNesting = 64;
Result<std::vector<ElementCount>> parseChemicalFormula(const std::string& text);

} // namespace korvane
