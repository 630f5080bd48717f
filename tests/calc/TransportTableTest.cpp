#include "calc/TransportCrossSection.h"
#include "calc/TransportTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

using namespace korvane;

// The generator's code, run now for a sample of the shipped table, gives
// what the table holds (to its seven digits).
TEST(TransportTable, RegeneratedSampleMatchesTheShippedTable)
{
    const TransportTable& table = shippedTransportTable();
    const std::vector<double> grid = transportTableEnergies();
    ASSERT_EQ(table.energies().size(), grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        EXPECT_NEAR(table.energies()[i], grid[i], 1e-9 * grid[i]);
    // The generator's own lines: Z, symbol and energy as the text has them,
    // the value to its last digit but one (another compiler may round the
    // last differently).
    const std::string_view text = transportTableText();
    for (int z : {1, 14, 47, 103})
        for (std::size_t i : {std::size_t{0}, grid.size() / 3, grid.size() - 1}) {
            const std::string line = transportTableLine(z, grid[i]);
            const std::size_t valueStart = line.rfind('\t') + 1;
            EXPECT_NE(text.find("\n" + line.substr(0, valueStart)), std::string_view::npos) << line;
            const double fresh = std::stod(line.substr(valueStart));
            EXPECT_NEAR(table.nodeValue(z, i) / fresh, 1.0, 1e-6) << line;
        }
}

// Halfway between nodes (in ln E) the interpolated value is within 0.2 % of
// the direct calculation, where the curve bends most (heavy atoms and
// noble gases at low energy) and elsewhere.
TEST(TransportTable, InterpolationBetweenNodesWithinATwoThousandth)
{
    const TransportTable& table = shippedTransportTable();
    const std::vector<double>& e = table.energies();
    for (int z : {6, 29, 36, 54, 79, 92})
        for (std::size_t i :
             {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{10}, e.size() / 2, e.size() - 2}) {
            const double between = std::sqrt(e[i] * e[i + 1]);
            const double direct = atomTransportCrossSection(z, between);
            EXPECT_NEAR(*table.crossSection(z, between) / direct, 1.0, 2e-3) << "Z = " << z << ", " << between << " eV";
        }
    // At a node the value is the node's.
    EXPECT_EQ(*table.crossSection(79, e[5]), table.nodeValue(79, 5));
    EXPECT_EQ(*table.crossSection(79, kTableHighestEnergy), table.nodeValue(79, e.size() - 1));
}

TEST(TransportTable, NothingOutsideItsRangeAndMalformedTextsRefused)
{
    const TransportTable& table = shippedTransportTable();
    for (const auto& [z, energy] : {std::pair{6, 49.9}, {6, 30000.1}, {6, NAN}, {0, 1000.0}, {104, 1000.0}})
        EXPECT_FALSE(table.crossSection(z, energy)) << z << " " << energy;
    EXPECT_TRUE(table.crossSection(6, 50));

    EXPECT_THROW(TransportTable("1\tH\t50\t1.0\n"), std::logic_error); // elements missing
    EXPECT_THROW(TransportTable("1\tHe\t50\t1.0\n"), std::logic_error);
    EXPECT_THROW(TransportTable("1\tH\t50\tx\n"), std::logic_error);
}

} // namespace
