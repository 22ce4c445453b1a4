#pragma once
#include <cstdint>

// The search's own random numbers (splitmix64): the same seed gives the same
// numbers with any compiler and library, so a search repeats exactly.
class SearchRandom {
public:
    explicit SearchRandom(std::uint64_t seed) : state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    int below(int n) { return static_cast<int>(unit() * n); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state;
};
