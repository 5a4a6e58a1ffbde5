#include "data/Random.h"

#include <cmath>
#include <ctime>

namespace data {

int RuntimeRandom::rand() {
    // Unsigned arithmetic wraps modulo 2^32, as the runtime's state did.
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

std::uint32_t clockSeed() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

double GaussianDeviates::gaussianDeviate() {
    if (m_spareValid) {
        m_spareValid = false;
        return m_spare;
    }
    double u1 = 0, u2 = 0, s = 0;
    do {
        const int r1 = m_random.rand(); // r1 is drawn before r2
        const int r2 = m_random.rand();
        u1 = r1 * kRandScale * 2 - 1;
        u2 = r2 * kRandScale * 2 - 1;
        s = u2 * u2 + u1 * u1;
    } while (s >= 1); // no integer r gives u = 0, so s is never 0
    const double m = std::sqrt(-2 * std::log(s) / s);
    m_spare = u1 * m;
    m_spareValid = true;
    return u2 * m;
}

} // namespace data
