#pragma once
// Plain types and constants of the drawing layer: colours, points, sizes and
// rectangles, and the numeric codes of mapping modes, raster operations, text
// alignment, pen styles and stock objects, numbered as the classic desktop
// drawing API numbers them. No Qt here, so any file can include it.

#include <cstdint>
#include <utility>

// A colour as 0x00BBGGRR.
using COLORREF = std::uint32_t;
using COLOR16 = std::uint16_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) {
    return int(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return int((c >> 16) & 0xFF);
}
// What GetPixel answers for a point outside the clip region.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

namespace platform {

// Rounds to the nearest integer with halves away from zero, held in the int
// range; NaN gives 0. The only way doubles become pixel or plot-unit integers.
inline int roundToInt(double v) {
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5);
}

// Cuts toward zero, held in the int range; NaN gives 0.
inline int truncToInt(double v) {
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

} // namespace platform

struct CPoint {
    int x = 0, y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    friend constexpr bool operator==(const CPoint& a, const CPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
    friend constexpr bool operator!=(const CPoint& a, const CPoint& b) { return !(a == b); }
};

struct CSize {
    int cx = 0, cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const CSize& a, const CSize& b) {
        return a.cx == b.cx && a.cy == b.cy;
    }
    friend constexpr bool operator!=(const CSize& a, const CSize& b) { return !(a == b); }
};

// A rectangle whose right and bottom edges are outside it.
struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    // Swaps the edges where needed so that left <= right and top <= bottom.
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    friend constexpr bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator!=(const CRect& a, const CRect& b) { return !(a == b); }
};

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Raster operations of pens and brushes (SetROP2). Code - 1 is the truth
// table of the result: bit (2 * pen + screen) is the result for that pen and screen bit.
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Text alignment (SetTextAlign): one horizontal and one vertical flag.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes (SetBkMode).
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;

// Stock objects (SelectStockObject).
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Font weights.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// Block transfers of a pattern (PatBlt).
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

// Clip region results.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// Gouraud-shaded triangles (CDC::GradientFill).
struct TRIVERTEX {
    std::int32_t x = 0, y = 0; // logical coordinates
    COLOR16 Red = 0, Green = 0, Blue = 0, Alpha = 0;
};
struct GRADIENT_TRIANGLE {
    std::uint32_t Vertex1 = 0, Vertex2 = 0, Vertex3 = 0; // indices into the vertex array
};
constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0;
constexpr std::uint32_t GRADIENT_FILL_RECT_V = 1;
constexpr std::uint32_t GRADIENT_FILL_TRIANGLE = 2;
