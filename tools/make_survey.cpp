// Writes one large synthetic gravity survey for benchmarks: either survey
// lines running north-south with a little jitter across and along the line,
// or stations spread uniformly at random. Deterministic for a given seed.
//
//   make_survey lines|uniform STATIONS OUTPUT_FILE [SEED]
//
// Lines are 100 m apart with a station every 10 m; there are about
// sqrt(STATIONS / 10) lines, so the area is roughly square. Uniform stations
// cover a square of the same density. No two stations share a position as
// written (positions are printed in millimetres).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    double uniform() { // in [0, 1)
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) * (1.0 / 9007199254740992.0);
    }

private:
    std::uint64_t m_state;
};

struct Source {
    double x, y, depth, strength;
};

// Vertical attraction (mGal) of a few buried spheres, with strengths in
// mGal * m^2 so the anomaly is strength * depth / r^3.
double anomaly(double x, double y, const Source* sources, int count) {
    double g = 0;
    for (int i = 0; i < count; ++i) {
        const double dx = x - sources[i].x, dy = y - sources[i].y, dz = sources[i].depth;
        const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
        g += sources[i].strength * dz / (r * r * r);
    }
    return g;
}

struct Options {
    bool lines = true;
    long long stations = 0;
    const char* path = nullptr;
    std::uint64_t seed = 1;
};

bool parse(int argc, char** argv, Options& options) {
    if (argc != 4 && argc != 5)
        return false;
    if (std::strcmp(argv[1], "lines") != 0 && std::strcmp(argv[1], "uniform") != 0)
        return false;
    options.lines = std::strcmp(argv[1], "lines") == 0;
    options.stations = std::atoll(argv[2]);
    options.path = argv[3];
    if (argc == 5)
        options.seed = std::strtoull(argv[4], nullptr, 10);
    return options.stations >= 3 && options.stations <= 100000000;
}

// The position of station i in millimetres.
void position(const Options& options, long long i, double side, long long perLine, Random& random,
              long long& xmm, long long& ymm) {
    double x, y;
    if (options.lines) {
        x = 100.0 * static_cast<double>(i / perLine) + random.uniform() - 0.5;
        y = 10.0 * static_cast<double>(i % perLine) + 2.0 * random.uniform() - 1.0;
    } else {
        x = side * random.uniform();
        y = side * random.uniform();
    }
    xmm = std::llround(x * 1000.0);
    ymm = std::llround(y * 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s lines|uniform STATIONS OUTPUT_FILE [SEED]\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(options.path, "w");
    if (!out) {
        std::perror(options.path);
        return 1;
    }
    const long long n = options.stations;
    const long long lineCount = std::max(2LL, std::llround(std::sqrt(n / 10.0)));
    const long long perLine = (n + lineCount - 1) / lineCount;
    const double side = 10.0 * std::sqrt(static_cast<double>(n));
    const double width = options.lines ? 100.0 * static_cast<double>(lineCount) : side;
    const Source sources[3] = {{0.3 * width, 0.4 * width, 0.05 * width, 4.0 * width * width},
                               {0.7 * width, 0.6 * width, 0.1 * width, -6.0 * width * width},
                               {0.5 * width, 0.2 * width, 0.02 * width, 0.5 * width * width}};
    Random random(options.seed);
    std::unordered_set<std::uint64_t> taken;
    taken.reserve(static_cast<size_t>(n) * 2);
    std::fprintf(out,
                 "! synthetic %s survey for benchmarks\n! easting northing elevation "
                 "gz(mGal) error(mGal)\n%lld\n",
                 options.lines ? "line" : "uniform", n);
    for (long long i = 0; i < n; ++i) {
        long long xmm, ymm;
        do {
            position(options, i, side, perLine, random, xmm, ymm);
        } while (!taken
                      .insert(static_cast<std::uint64_t>(xmm) * 0x9E3779B97F4A7C15ULL ^
                              static_cast<std::uint64_t>(ymm))
                      .second);
        const double x = static_cast<double>(xmm) / 1000.0, y = static_cast<double>(ymm) / 1000.0;
        const double z = 100.0 + 5.0 * std::sin(x / 300.0) + 3.0 * std::cos(y / 250.0);
        const double g = anomaly(x, y, sources, 3) + 0.01 * (random.uniform() - 0.5);
        std::fprintf(out, "%.3f %.3f %.2f %.5f 0.010\n", x, y, z, g);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
