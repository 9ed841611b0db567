#include "platform/RandomSource.h"

#include <cstring>

namespace {
std::uint64_t splitmix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

void UniformRandom::reseed(double seed) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    // Mix, never replace: the same seed twice still moves the state on.
    state_ = splitmix(state_) ^ bits;
}

double UniformRandom::next() {
    // 53 random bits give a double in [0, 1).
    return static_cast<double>(splitmix(state_) >> 11) * 0x1.0p-53;
}
