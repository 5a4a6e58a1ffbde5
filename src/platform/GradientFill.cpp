#include "platform/GradientFill.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// An edge a -> b as E(x, y) = A x + B y + C, positive on the triangle's inside.
struct Edge {
    std::int64_t a, b, c;
    bool topLeft; // pixels exactly on the edge belong to this triangle

    std::int64_t at(std::int64_t x, std::int64_t y) const { return a * x + b * y + c; }
};

Edge makeEdge(const ShadedVertex& from, const ShadedVertex& to) {
    const std::int64_t a = from.y - to.y;
    const std::int64_t b = to.x - from.x;
    // With y downward and the inside positive, a > 0 is a left edge and
    // a == 0 with b > 0 a top edge.
    return {a, b, -a * from.x - b * from.y, a > 0 || (a == 0 && b > 0)};
}

std::int64_t ceilDiv(std::int64_t n, std::int64_t d) { // d > 0
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

// The columns [first, last] of row y on the inside of `edge`; k = E at x = 0.
// Returns false when the whole row is outside.
bool narrowSpan(const Edge& edge, std::int64_t k, std::int64_t& first, std::int64_t& last) {
    if (edge.a > 0) { // a left edge: a x + k >= 0
        first = std::max(first, ceilDiv(-k, edge.a));
    } else if (edge.a < 0) { // a right edge: a x + k > 0, i.e. x < k / -a
        last = std::min(last, ceilDiv(k, -edge.a) - 1);
    } else if (!(k > 0 || (k == 0 && edge.topLeft))) {
        return false;
    }
    return first <= last;
}

ShadedVertex held(ShadedVertex v) {
    v.x = std::clamp(v.x, -kMaxShadedCoordinate, kMaxShadedCoordinate);
    v.y = std::clamp(v.y, -kMaxShadedCoordinate, kMaxShadedCoordinate);
    return v;
}

// Weighted mean of the three channels, rounded; the weights sum to `area`.
std::uint32_t channel(double wa, double wb, double wc, double area, int ca, int cb, int cc) {
    const double value = (wa * ca + wb * cb + wc * cc) / area;
    const double rounded = std::floor(std::clamp(value, 0.0, 65535.0) + 0.5);
    return static_cast<std::uint32_t>(rounded) >> 8;
}

struct Triangle {
    ShadedVertex v[3];
    Edge e[3]; // e[i] is the edge opposite corner i; E_i is corner i's weight
    std::int64_t area;
};

// Orders the corners so that the inside is positive; false for a degenerate triangle.
bool setUp(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c, Triangle& t) {
    t.v[0] = held(a);
    t.v[1] = held(b);
    t.v[2] = held(c);
    t.area = makeEdge(t.v[0], t.v[1]).at(t.v[2].x, t.v[2].y);
    if (t.area == 0)
        return false;
    if (t.area < 0) {
        std::swap(t.v[1], t.v[2]);
        t.area = -t.area;
    }
    t.e[0] = makeEdge(t.v[1], t.v[2]);
    t.e[1] = makeEdge(t.v[2], t.v[0]);
    t.e[2] = makeEdge(t.v[0], t.v[1]);
    return true;
}

void shadeRow(const Triangle& t, std::int64_t y, std::int64_t first, std::int64_t last,
              std::uint32_t* row) {
    std::int64_t w[3];
    for (int i = 0; i < 3; ++i)
        w[i] = t.e[i].at(first, y);
    const double area = double(t.area);
    for (std::int64_t x = first; x <= last; ++x) {
        const double wa = double(w[0]), wb = double(w[1]), wc = double(w[2]);
        const std::uint32_t r = channel(wa, wb, wc, area, t.v[0].red, t.v[1].red, t.v[2].red);
        const std::uint32_t g = channel(wa, wb, wc, area, t.v[0].green, t.v[1].green, t.v[2].green);
        const std::uint32_t b = channel(wa, wb, wc, area, t.v[0].blue, t.v[1].blue, t.v[2].blue);
        row[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        for (int i = 0; i < 3; ++i)
            w[i] += t.e[i].a;
    }
}

} // namespace

void fillShadedTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c,
                        const PixelBox& clip, PixelBuffer& target) {
    Triangle t;
    if (!target.pixels || !setUp(a, b, c, t))
        return;
    const std::int64_t left = std::max(clip.left, 0);
    const std::int64_t right = std::min(clip.right, target.width) - 1;
    const std::int64_t top =
        std::max<std::int64_t>({clip.top, 0, std::min({t.v[0].y, t.v[1].y, t.v[2].y})});
    const std::int64_t bottom =
        std::min<std::int64_t>({clip.bottom - std::int64_t(1), target.height - std::int64_t(1),
                                std::max({t.v[0].y, t.v[1].y, t.v[2].y})});
    for (std::int64_t y = top; y <= bottom; ++y) {
        std::int64_t first = left, last = right;
        bool inside = first <= last;
        for (int i = 0; i < 3 && inside; ++i)
            inside = narrowSpan(t.e[i], t.e[i].b * y + t.e[i].c, first, last);
        if (inside)
            shadeRow(t, y, first, last, target.pixels + y * target.stride);
    }
}

} // namespace platform
