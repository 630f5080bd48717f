#pragma once

#include <cstdint>

// The random numbers of one simulated electron: a SplitMix64 stream whose
// start is a hash of the seed and the electron's number, so that electron i
// draws the same numbers whichever thread follows it and in whatever order.
namespace korvane {

class CounterRandom {
public:
    CounterRandom(std::uint64_t seed, std::uint64_t electron) : state_(mix(mix(seed) ^ (electron + kGolden))) {}

    // Uniform in [0, 1), 53 random bits.
    double uniform()
    {
        state_ += kGolden;
        return static_cast<double>(mix(state_) >> 11) * 0x1p-53;
    }

private:
    static constexpr std::uint64_t kGolden = 0x9e3779b97f4a7c15ULL;

    static std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
};

} // namespace korvane
