// Writes synthetic survey files: a magnetic survey over a buried dipole and
// a gravity survey over a buried sphere, each with a predicted-data file as a
// slightly different model would give it. Deterministic, so the committed
// samples can be regenerated exactly.
//
//   make_samples OUTPUT_DIR [STATIONS_PER_LINE LINES]

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    double uniform() { // in [0, 1)
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) * (1.0 / 9007199254740992.0);
    }
    double gaussian() {
        const double u = 1.0 - uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * kPi * uniform());
    }

private:
    std::uint64_t m_state;
};

struct Station {
    double x, y, z;
};

// Total-field anomaly (nT) of an induced dipole of moment `moment` (A m^2)
// at depth `depth` below (x0, y0), in a field of inclination and declination in degrees.
double dipoleAnomaly(const Station& s, double x0, double y0, double depth, double moment,
                     double inclination, double declination) {
    const double inc = inclination * kPi / 180, dec = declination * kPi / 180;
    const double tx = std::cos(inc) * std::sin(dec), ty = std::cos(inc) * std::cos(dec),
                 tz = -std::sin(inc);
    const double rx = s.x - x0, ry = s.y - y0, rz = s.z + depth;
    const double r = std::sqrt(rx * rx + ry * ry + rz * rz);
    const double c = (tx * rx + ty * ry + tz * rz) / r;
    return 100.0 * moment * (3 * c * c - 1) / (r * r * r);
}

// Vertical attraction (mGal) of a sphere of radius `radius` and density contrast `contrast`
// (kg/m^3).
double sphereGravity(const Station& s, double x0, double y0, double depth, double radius,
                     double contrast) {
    const double mass = 4.0 / 3.0 * kPi * radius * radius * radius * contrast;
    const double rx = s.x - x0, ry = s.y - y0, rz = s.z + depth;
    const double r = std::sqrt(rx * rx + ry * ry + rz * rz);
    return 6.674e-11 * mass * rz / (r * r * r) * 1e5;
}

double terrain(double x, double y) {
    return 5.0 * std::sin(x / 300.0) + 3.0 * std::cos(y / 250.0);
}

std::FILE* create(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return file;
}

void writeMagnetic(const std::string& dir, int perLine, int lines) {
    Random random(20081808);
    std::vector<Station> stations;
    for (int line = 0; line < lines; ++line)
        for (int i = 0; i < perLine; ++i) {
            const double x = i * 25.0 + 2.0 * random.gaussian();
            const double y = line * 50.0 + 3.0 * random.gaussian();
            stations.push_back({x, y, terrain(x, y)});
        }
    const double cx = perLine * 12.5, cy = lines * 25.0;
    std::FILE* obs = create(dir + "/magnetic.obs");
    std::FILE* pre = create(dir + "/magnetic.pre");
    std::fprintf(obs, "65 25  50000\n65 25  1\n%zu\n", stations.size());
    std::fprintf(pre, "65 25  50000\n65 25  1\n%zu\n", stations.size());
    for (const Station& s : stations) {
        const double clean = dipoleAnomaly(s, cx, cy, 150, 1.0e7, 65, 25);
        const double error = 1.0 + 0.02 * std::fabs(clean);
        std::fprintf(obs, "%.2f %.2f %.2f  %.3f %.3f\n", s.x, s.y, s.z,
                     clean + error * random.gaussian(), error);
        std::fprintf(pre, "%.2f %.2f %.2f  %.3f\n", s.x, s.y, s.z,
                     dipoleAnomaly(s, cx + 10, cy - 5, 160, 0.95e7, 65, 25));
    }
    std::fclose(obs);
    std::fclose(pre);
}

void writeGravity(const std::string& dir, int stationCount) {
    Random random(19620707);
    std::vector<Station> stations;
    for (int i = 0; i < stationCount; ++i) {
        const double x = 2000.0 * random.uniform(), y = 1600.0 * random.uniform();
        stations.push_back({x, y, 120.0 + terrain(x, y)});
    }
    std::FILE* obs = create(dir + "/gravity.obs");
    std::FILE* pre = create(dir + "/gravity.pre");
    std::fprintf(obs,
                 "! synthetic gravity survey over a buried sphere\n"
                 "! easting northing elevation gz(mGal) error(mGal)\n%zu\n",
                 stations.size());
    std::fprintf(pre, "! predicted data\n%zu\n", stations.size());
    for (const Station& s : stations) {
        const double clean = sphereGravity(s, 1000, 800, 200, 100, 400);
        const double error = 0.01;
        std::fprintf(obs, "%.2f %.2f %.2f  %.5f %.3f\n", s.x, s.y, s.z,
                     clean + error * random.gaussian(), error);
        std::fprintf(pre, "%.2f %.2f %.2f  %.5f\n", s.x, s.y, s.z,
                     sphereGravity(s, 990, 810, 210, 100, 420));
    }
    std::fclose(obs);
    std::fclose(pre);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [STATIONS_PER_LINE LINES]\n", argv[0]);
        return 2;
    }
    const int perLine = argc == 4 ? std::atoi(argv[2]) : 41;
    const int lines = argc == 4 ? std::atoi(argv[3]) : 15;
    if (perLine < 2 || lines < 2) {
        std::fprintf(stderr, "need at least 2 stations per line and 2 lines\n");
        return 2;
    }
    writeMagnetic(argv[1], perLine, lines);
    writeGravity(argv[1], perLine * lines * 2 / 3);
    return 0;
}
