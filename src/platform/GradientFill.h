#pragma once
// Gouraud shading of one triangle into a 32-bit pixel buffer: every covered
// pixel gets the linear interpolation of the three corner colours.
//
// Pixel (x, y) is sampled at the integer point (x, y), so a corner's own
// pixel, when covered, shows exactly the corner's colour. A pixel is covered
// when its sample point lies inside the triangle, or on an edge that is a top
// edge (horizontal, inside below it) or a left edge (inside to its right).
// Two triangles sharing an edge therefore cover each pixel on it exactly
// once, and a mesh of triangles leaves no gap and draws nothing twice.
// Degenerate (zero-area) triangles cover nothing. All coverage tests use exact
// integer arithmetic; coordinates are held within +-2^28.

#include <cstddef>
#include <cstdint>

namespace platform {

// A corner in device pixels with 16-bit channels (an 8-bit value v is v * 256).
struct ShadedVertex {
    std::int64_t x = 0, y = 0;
    std::uint16_t red = 0, green = 0, blue = 0;
};

// Pixels from left/top up to, not including, right/bottom.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// 0xFFRRGGBB pixels, `stride` pixels from one row to the next.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    std::ptrdiff_t stride = 0;
};

// Largest coordinate magnitude the rasteriser works with; beyond it corners are held.
constexpr std::int64_t kMaxShadedCoordinate = std::int64_t(1) << 28;

// Shades the triangle abc into `target`, touching only pixels inside `clip`
// and the buffer. Interpolated 16-bit channels are rounded to the nearest
// value; the pixel takes their upper 8 bits.
void fillShadedTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c,
                        const PixelBox& clip, PixelBuffer& target);

} // namespace platform
