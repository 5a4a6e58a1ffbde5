#include "PointSets.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

double uniform(std::mt19937_64& rng, double low, double high) {
    return low + (high - low) * (static_cast<double>(rng() >> 11) * 0x1.0p-53);
}

Mesh reordered(const Mesh& mesh, const std::vector<size_t>& order) {
    Mesh result;
    for (size_t i : order) {
        result.x.push_back(mesh.x[i]);
        result.y.push_back(mesh.y[i]);
    }
    return result;
}

} // namespace

Mesh uniformRandom(int32_t n, uint64_t seed) {
    std::mt19937_64 rng(seed);
    Mesh mesh;
    for (int32_t i = 0; i < n; ++i) {
        mesh.x.push_back(uniform(rng, 0, 1000));
        mesh.y.push_back(uniform(rng, 0, 1000));
    }
    return mesh;
}

Mesh regularGrid(int32_t columns, int32_t rows, uint64_t seed) {
    Mesh mesh;
    for (int32_t c = 0; c < columns; ++c) {
        for (int32_t r = 0; r < rows; ++r) {
            mesh.x.push_back(10.0 * c);
            mesh.y.push_back(10.0 * r);
        }
    }
    return seed == 0 ? mesh : shuffled(mesh, seed);
}

Mesh surveyLines(int32_t lines, int32_t stationsPerLine, double lineSpacing, double stationSpacing,
                 double jitter, uint64_t seed) {
    std::mt19937_64 rng(seed);
    Mesh mesh;
    for (int32_t l = 0; l < lines; ++l) {
        for (int32_t s = 0; s < stationsPerLine; ++s) {
            mesh.x.push_back(l * lineSpacing + uniform(rng, -jitter, jitter));
            mesh.y.push_back(s * stationSpacing + uniform(rng, -jitter, jitter));
        }
    }
    return mesh;
}

Mesh clustered(int32_t n, uint64_t seed) {
    std::mt19937_64 rng(seed);
    Mesh mesh;
    const int32_t clusters = std::max(1, n / 50);
    std::vector<double> cx, cy;
    for (int32_t c = 0; c < clusters; ++c) {
        cx.push_back(uniform(rng, 0, 1000));
        cy.push_back(uniform(rng, 0, 1000));
    }
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = static_cast<int32_t>(rng() % static_cast<uint64_t>(clusters));
        const double radius = 20 * std::pow(uniform(rng, 0, 1), 3);
        const double angle = uniform(rng, 0, 6.283185307179586);
        mesh.x.push_back(cx[c] + radius * std::cos(angle));
        mesh.y.push_back(cy[c] + radius * std::sin(angle));
    }
    return mesh;
}

Mesh collinearWithOneOff(int32_t onLine, int32_t offAt, uint64_t seed) {
    Mesh line;
    for (int32_t i = 0; i < onLine; ++i) {
        line.x.push_back(3.0 * i - 7);
        line.y.push_back(2.0 * i + 1);
    }
    Mesh mesh = shuffled(line, seed);
    mesh.x.insert(mesh.x.begin() + offAt, 4.0);
    mesh.y.insert(mesh.y.begin() + offAt, seed % 2 == 0 ? 20.0 : -20.0);
    return mesh;
}

Mesh sortedAlongX(Mesh mesh) {
    std::vector<size_t> order(mesh.x.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return mesh.x[a] < mesh.x[b]; });
    return reordered(mesh, order);
}

Mesh shuffled(Mesh mesh, uint64_t seed) {
    std::vector<size_t> order(mesh.x.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937_64(seed));
    return reordered(mesh, order);
}

std::vector<PointSet> generatedSets() {
    std::vector<PointSet> sets;
    for (uint64_t seed = 1; seed <= 3; ++seed) {
        sets.push_back({"uniform 400", uniformRandom(400, seed)});
        sets.push_back({"uniform 400 sorted", sortedAlongX(uniformRandom(400, seed))});
        sets.push_back({"survey lines", surveyLines(8, 40, 100, 10, 1, seed)});
        sets.push_back({"survey lines sorted", sortedAlongX(surveyLines(8, 40, 100, 10, 1, seed))});
        sets.push_back({"clustered", clustered(500, seed)});
        sets.push_back({"clustered sorted", sortedAlongX(clustered(500, seed))});
        sets.push_back({"grid shuffled", regularGrid(17, 13, seed)});
    }
    sets.push_back({"grid in column order", regularGrid(17, 13, 0)});
    sets.push_back({"grid sorted", sortedAlongX(regularGrid(20, 20, 5))});
    sets.push_back({"survey lines without jitter", surveyLines(6, 30, 100, 10, 0, 1)});
    sets.push_back(
        {"survey lines without jitter sorted", sortedAlongX(surveyLines(6, 30, 100, 10, 0, 2))});
    return sets;
}
