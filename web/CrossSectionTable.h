#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

// The photoionisation cross-sections that page-data exports from xraylib
// for the page, where xraylib does not run: for the five named X-ray
// sources, one line per level of an element as a peak is written, the
// whole doublet for a level without its spin-orbit part ("2p"),
// "8\t1s\tAlKa\t39967.6" (atomic number, level, source key, barns per atom).
namespace korvane::page {

class CrossSectionTable {
public:
    CrossSectionTable() = default;
    explicit CrossSectionTable(std::string_view text);

    // The cross-section in barns of a level as written ("2p", "2p3/2") of
    // the element Z for the source of that key.
    std::optional<double> barns(int atomicNumber, std::string_view level, std::string_view sourceKey) const;

private:
    std::map<std::tuple<int, std::string, std::string>, double, std::less<>> barns_;
};

// The table the page's cross-sections come from, set once at start.
CrossSectionTable& pageCrossSections();

} // namespace korvane::page
