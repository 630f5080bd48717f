#pragma once

// Takes: the size of a simulation's run as the user gave it: the number of
// electrons, the seed and the number of threads, typed as text (tpp2m; the
// Python module writes its numbers in all their digits), with the input
// named as the front end names it ("--seed", "seed"). Gives: the number, or
// the words that refuse it. The limits are here once for every front end.

#include "core/Result.h"

#include <cstdint>
#include <string>

namespace korvane {

struct WholeNumberLimit {
    std::uint64_t least = 0;
    std::uint64_t most = 0;
};

inline constexpr WholeNumberLimit kElectronLimit{1000, 1'000'000'000'000};
// Seeds up to 2^53, every one of which a script's number holds exactly.
inline constexpr WholeNumberLimit kSeedLimit{0, std::uint64_t(1) << 53};
inline constexpr WholeNumberLimit kThreadLimit{1, 1024};

// A whole number typed as a decimal number ("2000", "1e6", "+5"), read
// exactly, digit by digit, so that no text above the limit rounds down onto
// it; the words of TypedNumber for a text that is no number.
Result<std::uint64_t> readWholeNumber(const std::string& input, const std::string& text, const WholeNumberLimit& limit);

} // namespace korvane
