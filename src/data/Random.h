#pragma once
// The pseudo-random numbers of the noise command: the classic C runtime's
// rand()/srand() recurrence, implemented here so that the same seed gives the
// same noise on every platform, and standard normal deviates drawn from it.

#include <cstdint>

namespace data {

// state = state * 214013 + 2531011 (modulo 2^32); rand() returns bits 16 to 30.
class RuntimeRandom {
public:
    static constexpr int kMax = 32767;

    void srand(std::uint32_t seed) { m_state = seed; }
    // The next value, 0 to kMax.
    int rand();
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state = 1; // the runtime starts as if seeded with 1
};

// Standard normal deviates by the polar method. Each accepted pair gives two
// deviates: one is returned, the other is kept as a spare for the next call.
// The spare survives reseeding, as it did with the runtime generator.
class GaussianDeviates {
public:
    void seed(std::uint32_t value) { m_random.srand(value); }
    double gaussianDeviate();

    bool hasSpare() const { return m_spareValid; }
    const RuntimeRandom& generator() const { return m_random; }

private:
    RuntimeRandom m_random;
    double m_spare = 0;
    bool m_spareValid = false;
};

// The current calendar time in seconds, truncated to 32 bits: the seed of
// the noise command when none is given.
std::uint32_t clockSeed();

// 1 / 32767 as the double the deviates scale by.
inline constexpr double kRandScale = 3.051850947599719e-05;

} // namespace data
