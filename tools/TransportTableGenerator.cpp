// Writes the table of transport cross-sections that ships in
// data/transport-cross-sections.txt: every element (or those whose atomic
// numbers are given as arguments) at every energy of the table's grid.
//
//     build-tests/tools/transport-table > data/transport-cross-sections.txt
#include "calc/ScreeningFunction.h"
#include "calc/TransportTable.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<int> elements;
    for (int i = 1; i < argc; ++i) {
        const int z = std::atoi(argv[i]);
        if (z < 1 || z > korvane::kLastElement) {
            std::fprintf(stderr, "transport-table: not an atomic number from 1 to 103: %s\n", argv[i]);
            return 2;
        }
        elements.push_back(z);
    }
    if (elements.empty())
        for (int z = 1; z <= korvane::kLastElement; ++z)
            elements.push_back(z);

    std::string text = korvane::transportTableHeader();
    for (int z : elements)
        for (double energy : korvane::transportTableEnergies())
            text += korvane::transportTableLine(z, energy);
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        std::perror("transport-table");
        return 1;
    }
    return 0;
}
