#pragma once

#include <array>
#include <string_view>

// The screening function of a free neutral atom, phi(r) = sum A_i exp(-alpha_i r)
// with r in bohr: the fraction of the nuclear charge that an electron at r
// still sees. The three-term Dirac-Hartree-Fock-Slater fits of Salvat,
// Martinez, Mayol and Parellada (Phys. Rev. A 36 (1987) 467) for Z = 1 to 103
// ship in data/dhfs-screening.tsv and are compiled in.
namespace korvane {

struct ScreeningFunction {
    int atomicNumber = 0;
    std::array<double, 3> amplitude{}; // A_i, summing to 1
    std::array<double, 3> decay{};     // alpha_i in 1/bohr
};

constexpr int kLastElement = 103;

// The fit for Z = 1 to 103; throws std::out_of_range for any other Z.
const ScreeningFunction& screeningFunction(int atomicNumber);

// The element symbol of Z = 1 to 103 as the table writes it ("Cu").
std::string_view elementSymbol(int atomicNumber);

// Z of an element symbol, letter case as written; 0 when it names none.
int atomicNumberOf(std::string_view symbol);

// The shipped table's text, compiled in at configure time.
std::string_view screeningTableText();

} // namespace korvane
