#pragma once

#include <cstdint>

// A uniform random generator in [0, 1) that can be re-seeded from the clock.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Mixes `seed` into the generator's state: re-seeding with an unchanged clock reading does
    // not bring back the previous number.
    virtual void reseed(double seed) = 0;
    // The next number, uniform in [0, 1).
    virtual double next() = 0;
};

// splitmix64 over a state into which every seed is mixed.
class UniformRandom final : public RandomSource {
public:
    explicit UniformRandom(std::uint64_t state = 0x9E3779B97F4A7C15ull) : state_(state) {}
    void reseed(double seed) override;
    double next() override;

private:
    std::uint64_t state_;
};
