#include "platform/GradientFill.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

using platform::fillShadedTriangle;
using platform::PixelBox;
using platform::PixelBuffer;
using platform::ShadedVertex;

namespace {

constexpr std::uint32_t kEmpty = 0x00123456; // no alpha: never written by the shader

struct Canvas {
    Canvas(int w, int h) : pixels(std::size_t(w) * h, kEmpty), width(w), height(h) {}
    PixelBuffer buffer() { return {pixels.data(), width, height, width}; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    bool covered(int x, int y) const { return at(x, y) != kEmpty; }
    int coveredCount() const {
        int n = 0;
        for (std::uint32_t p : pixels)
            n += p != kEmpty;
        return n;
    }
    void fill(ShadedVertex a, ShadedVertex b, ShadedVertex c) {
        PixelBuffer target = buffer();
        fillShadedTriangle(a, b, c, PixelBox{0, 0, width, height}, target);
    }

    std::vector<std::uint32_t> pixels;
    int width, height;
};

ShadedVertex vertex(std::int64_t x, std::int64_t y, int r, int g, int b) {
    return {x, y, std::uint16_t(r * 256), std::uint16_t(g * 256), std::uint16_t(b * 256)};
}

std::uint32_t rgb(int r, int g, int b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

TEST(GouraudTriangle, CornerColoursAndLinearInterpolation) {
    Canvas canvas(40, 40);
    canvas.fill(vertex(0, 0, 255, 0, 0), vertex(20, 0, 0, 255, 0), vertex(0, 20, 0, 0, 255));
    EXPECT_EQ(canvas.at(0, 0), rgb(255, 0, 0));    // the top-left corner's own pixel
    EXPECT_EQ(canvas.at(10, 0), rgb(127, 127, 0)); // midpoint of the top edge: 32640 >> 8
    EXPECT_EQ(canvas.at(0, 10), rgb(127, 0, 127));
    EXPECT_EQ(canvas.at(5, 5), rgb(127, 63, 63));
    // Right and bottom corners and the hypotenuse belong to the neighbours.
    EXPECT_FALSE(canvas.covered(20, 0));
    EXPECT_FALSE(canvas.covered(0, 20));
    EXPECT_FALSE(canvas.covered(10, 10));
    EXPECT_TRUE(canvas.covered(9, 10));
    EXPECT_EQ(canvas.coveredCount(), 20 * 21 / 2); // rows of 20, 19, ... 1 pixels

    // A single colour stays exact everywhere; the vertex order does not matter.
    Canvas flat(40, 40), turned(40, 40);
    flat.fill(vertex(3, 1, 10, 200, 30), vertex(37, 11, 10, 200, 30), vertex(8, 35, 10, 200, 30));
    turned.fill(vertex(8, 35, 10, 200, 30), vertex(37, 11, 10, 200, 30), vertex(3, 1, 10, 200, 30));
    EXPECT_EQ(flat.pixels, turned.pixels);
    for (std::uint32_t p : flat.pixels)
        EXPECT_TRUE(p == kEmpty || p == rgb(10, 200, 30));
}

TEST(GouraudTriangle, SharedEdgesAreCoveredExactlyOnce) {
    // A fan of triangles around an interior point, corners at awkward positions:
    // every pixel inside the outline is covered by exactly one triangle.
    const std::int64_t ring[][2] = {{3, 2}, {30, 1}, {46, 17}, {41, 44}, {12, 47}, {1, 25}};
    const ShadedVertex centre = vertex(23, 21, 0, 0, 0);
    std::vector<int> count(50 * 50, 0);
    for (int i = 0; i < 6; ++i) {
        Canvas one(50, 50);
        const auto* a = ring[i];
        const auto* b = ring[(i + 1) % 6];
        one.fill(centre, vertex(a[0], a[1], 255, 0, 0), vertex(b[0], b[1], 0, 255, 0));
        for (std::size_t p = 0; p < one.pixels.size(); ++p)
            count[p] += one.pixels[p] != kEmpty;
    }
    // The convex outline, tested with the same rule: inside or on a top/left edge.
    Canvas hull(50, 50);
    for (int j = 1; j + 1 < 6; ++j)
        hull.fill(vertex(ring[0][0], ring[0][1], 1, 1, 1), vertex(ring[j][0], ring[j][1], 1, 1, 1),
                  vertex(ring[j + 1][0], ring[j + 1][1], 1, 1, 1));
    EXPECT_GT(hull.coveredCount(), 1200);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(count[std::size_t(y) * 50 + x], hull.covered(x, y) ? 1 : 0) << x << ',' << y;

    // Two halves of a square tile it without overlap.
    Canvas upper(12, 12), lower(12, 12);
    upper.fill(vertex(0, 0, 9, 9, 9), vertex(10, 0, 9, 9, 9), vertex(10, 10, 9, 9, 9));
    lower.fill(vertex(0, 0, 9, 9, 9), vertex(10, 10, 9, 9, 9), vertex(0, 10, 9, 9, 9));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(upper.covered(x, y) + lower.covered(x, y), x < 10 && y < 10 ? 1 : 0);
}

TEST(GouraudTriangle, DegenerateClippedAndExtremeTriangles) {
    Canvas canvas(30, 30);
    canvas.fill(vertex(0, 0, 255, 0, 0), vertex(10, 10, 0, 255, 0), vertex(20, 20, 0, 0, 255));
    canvas.fill(vertex(5, 5, 255, 0, 0), vertex(5, 5, 0, 255, 0), vertex(5, 5, 0, 0, 255));
    EXPECT_EQ(canvas.coveredCount(), 0);

    // The clip box limits the pixels touched.
    PixelBuffer target = canvas.buffer();
    fillShadedTriangle(vertex(-100, -100, 1, 2, 3), vertex(100, -100, 1, 2, 3),
                       vertex(0, 100, 1, 2, 3), PixelBox{10, 12, 15, 14}, target);
    EXPECT_EQ(canvas.coveredCount(), 5 * 2);
    EXPECT_TRUE(canvas.covered(10, 12));
    EXPECT_TRUE(canvas.covered(14, 13));

    // Corners far beyond any image are held; the visible part is still shaded.
    const std::int64_t huge = std::int64_t(1) << 60;
    Canvas big(30, 30);
    big.fill(vertex(-huge, -huge, 0, 0, 0), vertex(huge, -huge, 0, 0, 0),
             vertex(0, huge, 255, 255, 255));
    EXPECT_EQ(big.coveredCount(), 30 * 30);
    PixelBuffer none{nullptr, 0, 0, 0};
    fillShadedTriangle(vertex(0, 0, 0, 0, 0), vertex(9, 0, 0, 0, 0), vertex(0, 9, 0, 0, 0),
                       PixelBox{0, 0, 10, 10}, none);
}

} // namespace
