#include "platform/DeviceContext.h"

#include "platform/GradientFill.h"
#include "platform/VectorLayer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Mapped device coordinates are held within this magnitude.
constexpr std::int64_t kDeviceLimit = std::int64_t(1) << 28;
// Lines, ellipse outlines and text further than this from the origin are
// clipped or skipped by this class before Qt sees them (Qt's rasteriser
// works in fixed point and overflows far beyond any image size).
constexpr std::int64_t kQtSafeLimit = std::int64_t(1) << 20;
// Largest font cell height in pixels; larger requests are drawn at this size.
constexpr int kMaxFontPixels = 2048;
// Cell height of a font created with height 0.
constexpr int kDefaultFontPixels = 16;

std::int64_t holdDevice(std::int64_t v) {
    return std::clamp(v, -kDeviceLimit, kDeviceLimit);
}

int holdInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// a * b / d rounded with halves away from zero, exact for all 64-bit inputs
// that occur here (d != 0), held within +-2^62.
std::int64_t mulDivRound(std::int64_t a, std::int64_t b, std::int64_t d) {
    // Below 2^30 each, the same arithmetic cannot overflow 64 bits (and the
    // quotient needs no clamping); a 128-bit division is a slow library call.
    constexpr std::int64_t small = std::int64_t(1) << 30;
    if (a > -small && a < small && b > -small && b < small && d > -small && d < small) {
        std::int64_t n64 = a * b, den64 = d;
        if (den64 < 0) {
            n64 = -n64;
            den64 = -den64;
        }
        return n64 >= 0 ? (2 * n64 + den64) / (2 * den64) : -((-2 * n64 + den64) / (2 * den64));
    }
    __int128 n = static_cast<__int128>(a) * b;
    __int128 den = d;
    if (den < 0) {
        n = -n;
        den = -den;
    }
    const __int128 q = n >= 0 ? (2 * n + den) / (2 * den) : -((-2 * n + den) / (2 * den));
    const __int128 limit = static_cast<__int128>(1) << 62;
    return static_cast<std::int64_t>(std::clamp(q, -limit, limit));
}

std::uint32_t toPixel(COLORREF c) {
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           std::uint32_t(GetBValue(c));
}

COLORREF fromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The raster operation `rop` (R2_*) of pen colour p on screen colour d.
std::uint32_t applyRop2(int rop, std::uint32_t p, std::uint32_t d) {
    const int table = rop - 1;
    std::uint32_t r = 0;
    if (table & 8)
        r |= p & d;
    if (table & 4)
        r |= p & ~d;
    if (table & 2)
        r |= ~p & d;
    if (table & 1)
        r |= ~p & ~d;
    return 0xFF000000u | (r & 0x00FFFFFFu);
}

QPainter::CompositionMode compositionFor(int rop) {
    static const QPainter::CompositionMode modes[16] = {
        QPainter::RasterOp_ClearDestination,        QPainter::RasterOp_NotSourceAndNotDestination,
        QPainter::RasterOp_NotSourceAndDestination, QPainter::RasterOp_NotSource,
        QPainter::RasterOp_SourceAndNotDestination, QPainter::RasterOp_NotDestination,
        QPainter::RasterOp_SourceXorDestination,    QPainter::RasterOp_NotSourceOrNotDestination,
        QPainter::RasterOp_SourceAndDestination,    QPainter::RasterOp_NotSourceXorDestination,
        QPainter::CompositionMode_Destination,      QPainter::RasterOp_NotSourceOrDestination,
        QPainter::CompositionMode_Source,           QPainter::RasterOp_SourceOrNotDestination,
        QPainter::RasterOp_SourceOrDestination,     QPainter::RasterOp_SetDestination};
    return modes[std::clamp(rop, R2_BLACK, R2_WHITE) - 1];
}

QColor toQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

CRect intersect(const CRect& a, const CRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

CRect grown(const CRect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// Clips the segment p0-p1 to `box` (inclusive bounds); false when nothing is left.
// `startShift` receives how far the start moved along the segment, in pixels.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, const CRect& box,
                 double& startShift) {
    const double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left, box.right - x0, y0 - box.top, box.bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    startShift = t0 * std::hypot(dx, dy);
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = x0 + t0 * dx;
    y0 = y0 + t0 * dy;
    return true;
}

Qt::PenStyle qtPenStyle(int style) {
    switch (style) {
    case PS_DASH:
        return Qt::DashLine;
    case PS_DOT:
        return Qt::DotLine;
    case PS_DASHDOT:
        return Qt::DashDotLine;
    case PS_DASHDOTDOT:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// Stock objects, always created.
struct StockPen : CPen {
    StockPen(int style, COLORREF colour) : CPen(style, 0, colour) {}
};
struct StockBrush : CBrush {
    explicit StockBrush(COLORREF colour) : CBrush(colour) {}
    StockBrush() {
        hollow = true;
        m_created = true;
    }
};
struct StockFont : CFont {
    StockFont() { CreateFontIndirect(&logFont); }
};

CGdiObject* stockObject(int index) {
    static StockBrush white(RGB(255, 255, 255)), lightGray(RGB(192, 192, 192)),
        gray(RGB(128, 128, 128)), darkGray(RGB(64, 64, 64)), black(RGB(0, 0, 0)), hollow;
    static StockPen whitePen(PS_SOLID, RGB(255, 255, 255)), blackPen(PS_SOLID, RGB(0, 0, 0)),
        nullPen(PS_NULL, RGB(0, 0, 0));
    static StockFont systemFont;
    switch (index) {
    case WHITE_BRUSH:
        return &white;
    case LTGRAY_BRUSH:
        return &lightGray;
    case GRAY_BRUSH:
        return &gray;
    case DKGRAY_BRUSH:
        return &darkGray;
    case BLACK_BRUSH:
        return &black;
    case NULL_BRUSH:
        return &hollow;
    case WHITE_PEN:
        return &whitePen;
    case BLACK_PEN:
        return &blackPen;
    case NULL_PEN:
        return &nullPen;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        return &systemFont;
    default:
        return nullptr;
    }
}

bool sameFont(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfEscapement == b.lfEscapement &&
           a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut &&
           std::strncmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
}

} // namespace

// ---------------------------------------------------------------------------
// Objects

bool CGdiObject::DeleteObject() {
    const bool was = m_created;
    m_created = false;
    return was;
}

bool CPen::CreatePen(int penStyle, int penWidth, COLORREF penColour) {
    style = (penStyle >= PS_SOLID && penStyle <= PS_NULL) ? penStyle : PS_SOLID;
    width = std::max(penWidth, 0);
    colour = penColour & 0x00FFFFFF;
    m_created = true;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF brushColour) {
    hollow = false;
    colour = brushColour & 0x00FFFFFF;
    m_created = true;
    return true;
}

bool CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       std::uint8_t italic, std::uint8_t underline, std::uint8_t strikeOut,
                       std::uint8_t charSet, std::uint8_t outPrecision, std::uint8_t clipPrecision,
                       std::uint8_t quality, std::uint8_t pitchAndFamily, const char* faceName) {
    LOGFONT f;
    f.lfHeight = height;
    f.lfWidth = width;
    f.lfEscapement = escapement;
    f.lfOrientation = orientation;
    f.lfWeight = weight;
    f.lfItalic = italic;
    f.lfUnderline = underline;
    f.lfStrikeOut = strikeOut;
    f.lfCharSet = charSet;
    f.lfOutPrecision = outPrecision;
    f.lfClipPrecision = clipPrecision;
    f.lfQuality = quality;
    f.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::strncpy(f.lfFaceName, faceName, sizeof f.lfFaceName - 1);
    return CreateFontIndirect(&f);
}

bool CFont::CreateFontIndirect(const LOGFONT* font) {
    if (!font)
        return false;
    logFont = *font;
    logFont.lfFaceName[sizeof logFont.lfFaceName - 1] = '\0';
    m_created = true;
    return true;
}

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    m_box = CRect(left, top, right, bottom);
    m_box.NormalizeRect();
    m_created = true;
    return true;
}

// ---------------------------------------------------------------------------
// Construction and mapping

struct CDC::ResolvedFont {
    LOGFONT logFont;
    int cellPixels = 0;
    QFont font;
    int ascent = 0, descent = 0;
};

CDC::CDC(QImage& target)
    : m_image(target), m_pen(static_cast<CPen*>(stockObject(BLACK_PEN))),
      m_brush(static_cast<CBrush*>(stockObject(WHITE_BRUSH))),
      m_font(static_cast<CFont*>(stockObject(SYSTEM_FONT))) {
    if (m_image.isNull())
        return;
    if (m_image.format() != QImage::Format_RGB32)
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
    m_bits = m_image.bits(); // unshares the pixels before the painter and the pixel loops use them
    m_bytesPerLine = m_image.bytesPerLine();
    m_painter = std::make_unique<QPainter>(&m_image);
}

CDC::~CDC() = default;

int CDC::SetMapMode(int mode) {
    if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)
        return 0;
    const int previous = m_mapMode;
    if (previous == MM_TEXT && mode != MM_TEXT)
        m_windowExt = m_viewportExt = m_requestedViewportExt = CSize(1, 1);
    m_mapMode = mode;
    adjustIsotropic();
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    const CPoint previous = m_windowOrg;
    m_windowOrg = CPoint(x, y);
    return previous;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint previous = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    return previous;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    const CPoint previous = m_viewportOrg;
    m_viewportOrg =
        CPoint(holdInt(std::int64_t(previous.x) + dx), holdInt(std::int64_t(previous.y) + dy));
    return previous;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    const CSize previous = GetWindowExt();
    if (m_mapMode == MM_TEXT || cx == 0 || cy == 0)
        return previous;
    m_windowExt = CSize(cx, cy);
    adjustIsotropic();
    return previous;
}

CSize CDC::GetWindowExt() const {
    return m_mapMode == MM_TEXT ? CSize(1, 1) : m_windowExt;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize previous = GetViewportExt();
    if (m_mapMode == MM_TEXT || cx == 0 || cy == 0)
        return previous;
    m_requestedViewportExt = CSize(cx, cy);
    adjustIsotropic();
    return previous;
}

CSize CDC::GetViewportExt() const {
    return m_mapMode == MM_TEXT ? CSize(1, 1) : m_viewportExt;
}

// In MM_ISOTROPIC the axis with the larger scale gets its viewport extent
// shrunk to the other axis's scale, keeping its sign.
void CDC::adjustIsotropic() {
    m_viewportExt = m_requestedViewportExt;
    if (m_mapMode != MM_ISOTROPIC)
        return;
    const std::int64_t wx = std::abs(std::int64_t(m_windowExt.cx));
    const std::int64_t wy = std::abs(std::int64_t(m_windowExt.cy));
    const std::int64_t vx = std::abs(std::int64_t(m_viewportExt.cx));
    const std::int64_t vy = std::abs(std::int64_t(m_viewportExt.cy));
    if (vx * wy > vy * wx) {
        const int x = holdInt(std::max<std::int64_t>(1, mulDivRound(wx, vy, wy)));
        m_viewportExt.cx = m_viewportExt.cx < 0 ? -x : x;
    } else if (vy * wx > vx * wy) {
        const int y = holdInt(std::max<std::int64_t>(1, mulDivRound(wy, vx, wx)));
        m_viewportExt.cy = m_viewportExt.cy < 0 ? -y : y;
    }
}

std::int64_t CDC::toDeviceX(std::int64_t x) const {
    const std::int64_t shifted = x - m_windowOrg.x;
    const std::int64_t scaled =
        m_mapMode == MM_TEXT ? shifted : mulDivRound(shifted, m_viewportExt.cx, m_windowExt.cx);
    return holdDevice(scaled + m_viewportOrg.x);
}

std::int64_t CDC::toDeviceY(std::int64_t y) const {
    const std::int64_t shifted = y - m_windowOrg.y;
    const std::int64_t scaled =
        m_mapMode == MM_TEXT ? shifted : mulDivRound(shifted, m_viewportExt.cy, m_windowExt.cy);
    return holdDevice(scaled + m_viewportOrg.y);
}

CPoint CDC::toDevice(int x, int y) const {
    return CPoint(int(toDeviceX(x)), int(toDeviceY(y)));
}

CPoint CDC::toLogical(int x, int y) const {
    std::int64_t lx = std::int64_t(x) - m_viewportOrg.x;
    std::int64_t ly = std::int64_t(y) - m_viewportOrg.y;
    if (m_mapMode != MM_TEXT) {
        lx = mulDivRound(lx, m_windowExt.cx, m_viewportExt.cx);
        ly = mulDivRound(ly, m_windowExt.cy, m_viewportExt.cy);
    }
    return CPoint(holdInt(lx + m_windowOrg.x), holdInt(ly + m_windowOrg.y));
}

CRect CDC::toDeviceRect(const CRect& logical) const {
    const CPoint a = toDevice(logical.left, logical.top);
    const CPoint b = toDevice(logical.right, logical.bottom);
    CRect rect(a.x, a.y, b.x, b.y);
    rect.NormalizeRect();
    return rect;
}

void CDC::LPtoDP(CPoint* points, int count) const {
    for (int i = 0; points && i < count; ++i)
        points[i] = toDevice(points[i].x, points[i].y);
}

void CDC::LPtoDP(CRect* rect) const {
    if (!rect)
        return;
    const CPoint a = toDevice(rect->left, rect->top);
    const CPoint b = toDevice(rect->right, rect->bottom);
    *rect = CRect(a.x, a.y, b.x, b.y);
}

void CDC::LPtoDP(CSize* size) const {
    if (!size || m_mapMode == MM_TEXT)
        return;
    size->cx = holdInt(holdDevice(mulDivRound(size->cx, m_viewportExt.cx, m_windowExt.cx)));
    size->cy = holdInt(holdDevice(mulDivRound(size->cy, m_viewportExt.cy, m_windowExt.cy)));
}

void CDC::DPtoLP(CPoint* points, int count) const {
    for (int i = 0; points && i < count; ++i)
        points[i] = toLogical(points[i].x, points[i].y);
}

void CDC::DPtoLP(CRect* rect) const {
    if (!rect)
        return;
    const CPoint a = toLogical(rect->left, rect->top);
    const CPoint b = toLogical(rect->right, rect->bottom);
    *rect = CRect(a.x, a.y, b.x, b.y);
}

void CDC::DPtoLP(CSize* size) const {
    if (!size || m_mapMode == MM_TEXT)
        return;
    size->cx = holdInt(mulDivRound(size->cx, m_windowExt.cx, m_viewportExt.cx));
    size->cy = holdInt(mulDivRound(size->cy, m_windowExt.cy, m_viewportExt.cy));
}

// ---------------------------------------------------------------------------
// Clipping

CRect CDC::clipBox() const {
    CRect box(0, 0, m_image.width(), m_image.height());
    if (m_hasPaintRect)
        box = intersect(box, m_paintRect);
    if (m_hasClipRgn)
        box = intersect(box, m_clipRgn);
    return box;
}

void CDC::SetPaintRect(const CRect* deviceRect) {
    m_hasPaintRect = deviceRect != nullptr;
    if (deviceRect) {
        m_paintRect = *deviceRect;
        m_paintRect.NormalizeRect();
    }
}

int CDC::SelectClipRgn(const CRgn* region) {
    if (region && !region->isCreated())
        return RGN_ERROR;
    m_hasClipRgn = region != nullptr;
    if (region)
        m_clipRgn = region->box();
    return clipBox().IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(const CRect& logicalRect) {
    const CRect device = toDeviceRect(logicalRect);
    m_clipRgn = m_hasClipRgn ? intersect(m_clipRgn, device) : device;
    m_hasClipRgn = true;
    return clipBox().IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(CRect* logicalRect) const {
    const CRect box = clipBox();
    if (box.IsRectEmpty()) {
        if (logicalRect)
            *logicalRect = CRect();
        return NULLREGION;
    }
    if (logicalRect) {
        *logicalRect = box;
        DPtoLP(logicalRect);
        logicalRect->NormalizeRect();
    }
    return SIMPLEREGION;
}

bool CDC::PtVisible(int x, int y) const {
    return clipBox().PtInRect(toDevice(x, y));
}

bool CDC::RectVisible(const CRect& logicalRect) const {
    return !intersect(clipBox(), toDeviceRect(logicalRect)).IsRectEmpty();
}

// ---------------------------------------------------------------------------
// Attributes and objects

int CDC::SetROP2(int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    const int previous = m_rop2;
    m_rop2 = mode;
    return previous;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    const int previous = m_bkMode;
    m_bkMode = mode;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    const COLORREF previous = m_bkColour;
    m_bkColour = colour & 0x00FFFFFF;
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColour;
    m_textColour = colour & 0x00FFFFFF;
    return previous;
}

unsigned CDC::SetTextAlign(unsigned flags) {
    const unsigned previous = m_textAlign;
    m_textAlign = flags;
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->isCreated())
        return nullptr;
    return std::exchange(m_pen, pen);
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->isCreated())
        return nullptr;
    return std::exchange(m_brush, brush);
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->isCreated())
        return nullptr;
    return std::exchange(m_font, font);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object)
        return nullptr;
    switch (object->kind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return SelectObject(stockObject(index));
}

// ---------------------------------------------------------------------------
// Pixel loops

std::uint32_t* CDC::row(int y) const {
    return reinterpret_cast<std::uint32_t*>(m_bits + std::ptrdiff_t(y) * m_bytesPerLine);
}

void CDC::fillDevice(const CRect& deviceRect, std::uint32_t pixel) {
    const CRect r = intersect(deviceRect, clipBox());
    if (r.IsRectEmpty()) // rectangles apart intersect "inverted"
        return;
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(row(y) + r.left, row(y) + r.right, pixel);
}

void CDC::xorDevice(const CRect& deviceRect, std::uint32_t mask) {
    const CRect r = intersect(deviceRect, clipBox());
    if (r.IsRectEmpty())
        return;
    for (int y = r.top; y < r.bottom; ++y)
        for (std::uint32_t* p = row(y) + r.left; p != row(y) + r.right; ++p)
            *p = (*p ^ mask) | 0xFF000000u;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    fillDevice(toDeviceRect(rect), toPixel(colour));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    FillSolidRect(CRect(x, y, holdInt(std::int64_t(x) + cx), holdInt(std::int64_t(y) + cy)),
                  colour);
}

void CDC::FillRect(const CRect& rect, const CBrush* brush) {
    if (brush && brush->isCreated() && !brush->hollow)
        FillSolidRect(rect, brush->colour);
}

void CDC::InvertRect(const CRect& rect) {
    xorDevice(toDeviceRect(rect), 0x00FFFFFFu);
}

bool CDC::PatBlt(int x, int y, int width, int height, std::uint32_t rop) {
    const CRect device = toDeviceRect(
        CRect(x, y, holdInt(std::int64_t(x) + width), holdInt(std::int64_t(y) + height)));
    switch (rop) {
    case WHITENESS:
        fillDevice(device, 0xFFFFFFFFu);
        return true;
    case BLACKNESS:
        fillDevice(device, 0xFF000000u);
        return true;
    case DSTINVERT:
        xorDevice(device, 0x00FFFFFFu);
        return true;
    case PATCOPY:
        if (!m_brush->hollow)
            fillDevice(device, toPixel(m_brush->colour));
        return true;
    case PATINVERT:
        if (!m_brush->hollow)
            xorDevice(device, toPixel(m_brush->colour) & 0x00FFFFFFu);
        return true;
    default:
        return false;
    }
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    const CPoint p = toDevice(x, y);
    if (!clipBox().PtInRect(p))
        return CLR_INVALID;
    row(p.y)[p.x] = toPixel(colour);
    return colour & 0x00FFFFFF;
}

bool CDC::SetPixelV(int x, int y, COLORREF colour) {
    return SetPixel(x, y, colour) != CLR_INVALID;
}

namespace {

// Tables longer than this (a range of more logical units than there are
// points to mark, at extreme shrinking) are not worth making.
constexpr std::int64_t kMarkerTableLimit = std::int64_t(1) << 20;

template <class Map> std::vector<int> axisTable(int first, int last, Map toDevice) {
    std::vector<int> table;
    const std::int64_t length = std::int64_t(last) - first + 1;
    if (length <= 0 || length > kMarkerTableLimit)
        return table;
    table.resize(static_cast<std::size_t>(length));
    for (std::int64_t i = 0; i < length; ++i)
        table[static_cast<std::size_t>(i)] = int(toDevice(first + i));
    return table;
}

} // namespace

CDC::PixelMarker::PixelMarker(CDC& dc, const CRect& range, COLORREF colour)
    : m_dc(dc), m_clip(dc.clipBox()), m_pixel(toPixel(colour)), m_left(range.left),
      m_top(range.top) {
    m_columns = axisTable(range.left, range.right, [&](std::int64_t x) { return dc.toDeviceX(x); });
    m_rows = axisTable(range.top, range.bottom, [&](std::int64_t y) { return dc.toDeviceY(y); });
}

bool CDC::PixelMarker::devicePixel(int x, int y, CPoint& pixel) const {
    const std::int64_t i = std::int64_t(x) - m_left, j = std::int64_t(y) - m_top;
    const bool tabled =
        i >= 0 && i < std::int64_t(m_columns.size()) && j >= 0 && j < std::int64_t(m_rows.size());
    pixel =
        tabled ? CPoint(m_columns[static_cast<std::size_t>(i)], m_rows[static_cast<std::size_t>(j)])
               : m_dc.toDevice(x, y);
    return m_clip.PtInRect(pixel);
}

void CDC::PixelMarker::mark(int x, int y) {
    CPoint p;
    if (devicePixel(x, y, p))
        markDevice(p);
}

COLORREF CDC::GetPixel(int x, int y) const {
    const CPoint p = toDevice(x, y);
    if (!clipBox().PtInRect(p))
        return CLR_INVALID;
    return fromPixel(row(p.y)[p.x]);
}

// ---------------------------------------------------------------------------
// Lines and ellipses

int CDC::devicePenWidth() const {
    if (m_pen->width <= 1 || m_mapMode == MM_TEXT)
        return std::max(m_pen->width, 1);
    const std::int64_t w = std::abs(mulDivRound(m_pen->width, m_viewportExt.cx, m_windowExt.cx));
    return int(std::clamp<std::int64_t>(w, 1, kQtSafeLimit));
}

bool CDC::preparePainter(int compositionMode) {
    const CRect box = clipBox();
    if (!m_painter || box.IsRectEmpty())
        return false;
    m_painter->resetTransform();
    m_painter->setClipRect(QRect(box.left, box.top, box.Width(), box.Height()));
    m_painter->setCompositionMode(QPainter::CompositionMode(compositionMode));
    m_painter->setBackgroundMode(Qt::TransparentMode);
    return true;
}

bool CDC::drawsAsVector() const {
    return m_vectors && (m_rop2 == R2_COPYPEN || m_rop2 == R2_NOTXORPEN);
}

CPoint CDC::MoveTo(int x, int y) {
    return std::exchange(m_position, CPoint(x, y));
}

bool CDC::LineTo(int x, int y) {
    const CPoint from = toDevice(m_position.x, m_position.y);
    const CPoint to = toDevice(x, y);
    m_position = CPoint(x, y);
    if (m_pen->style != PS_NULL && from != to)
        strokeLine(from, to);
    return true;
}

// One-pixel pens leave out the end point (a polyline then sets every pixel
// once); wider pens are solid with round ends, whatever their style.
void CDC::strokeLine(CPoint from, CPoint to) {
    const int width = devicePenWidth();
    if (!preparePainter(compositionFor(m_rop2)))
        return;
    double x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y, shift = 0;
    const CRect guard = grown(clipBox(), width + 2);
    const bool inside = guard.PtInRect(from) && guard.PtInRect(to);
    if (!inside && !clipSegment(x0, y0, x1, y1, guard, shift))
        return;
    QPen pen(toQColor(m_pen->colour));
    if (width <= 1) {
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setStyle(qtPenStyle(m_pen->style));
        pen.setDashOffset(shift);
        if (m_bkMode == OPAQUE && m_pen->style != PS_SOLID) {
            m_painter->setBackgroundMode(Qt::OpaqueMode);
            m_painter->setBackground(toQColor(m_bkColour));
        }
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    if (drawsAsVector()) {
        const VectorLayer::Pen vectorPen{toQColor(m_pen->colour), double(std::max(width, 1)),
                                         width <= 1 ? qtPenStyle(m_pen->style) : Qt::SolidLine};
        if (inside)
            m_vectors->addLine(QPointF(from.x, from.y), QPointF(to.x, to.y), vectorPen);
        else
            m_vectors->addLine(QPointF(x0, y0), QPointF(x1, y1), vectorPen);
        return;
    }
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    if (inside)
        m_painter->drawLine(from.x, from.y, to.x, to.y);
    else
        m_painter->drawLine(platform::roundToInt(x0), platform::roundToInt(y0),
                            platform::roundToInt(x1), platform::roundToInt(y1));
}

bool CDC::Ellipse(int left, int top, int right, int bottom) {
    const CRect box = toDeviceRect(CRect(left, top, right, bottom));
    if (box.IsRectEmpty())
        return true;
    if (!m_brush->hollow)
        fillEllipse(box, m_brush->colour);
    if (m_pen->style != PS_NULL)
        strokeEllipse(box);
    return true;
}

// Covers the pixels whose centre lies in the ellipse inscribed in `box`,
// combined with the screen by the raster operation. In doubled coordinates
// the centre of pixel x is 2x + 1 and the ellipse's centre left + right.
void CDC::fillEllipse(const CRect& box, COLORREF colour) {
    const CRect clip = intersect(clipBox(), box);
    const double a = box.Width(), b = box.Height();
    const std::uint32_t pen = toPixel(colour);
    for (int y = clip.top; y < clip.bottom; ++y) {
        const double dy = (2.0 * y + 1 - (double(box.top) + box.bottom)) / b;
        const double reach = 1.0 - dy * dy;
        if (reach < 0)
            continue;
        const double half = a * std::sqrt(reach);
        const double centre = double(box.left) + box.right - 1;
        const double first = std::max(std::ceil((centre - half) / 2), double(clip.left));
        const double last = std::min(std::floor((centre + half) / 2), double(clip.right - 1));
        std::uint32_t* line = row(y);
        for (int x = int(first); x <= int(last) && first <= last; ++x)
            line[x] = applyRop2(m_rop2, pen, line[x]);
    }
}

void CDC::strokeEllipse(const CRect& box) {
    const CRect safe(-int(kQtSafeLimit), -int(kQtSafeLimit), int(kQtSafeLimit), int(kQtSafeLimit));
    if (intersect(box, safe) != box || !preparePainter(compositionFor(m_rop2)))
        return;
    if (drawsAsVector()) {
        m_vectors->addOutline(QRectF(box.left, box.top, box.Width() - 1, box.Height() - 1),
                              {toQColor(m_pen->colour), double(devicePenWidth())});
        return;
    }
    QPen pen(toQColor(m_pen->colour));
    pen.setWidth(devicePenWidth() <= 1 ? 0 : devicePenWidth());
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawEllipse(QRect(box.left, box.top, box.Width() - 1, box.Height() - 1));
}

// ---------------------------------------------------------------------------
// Text

// The cell height (ascent + descent) of a font in device pixels, from the
// logical height: positive = cell height, negative = character height.
const CDC::ResolvedFont& CDC::font() const {
    const LOGFONT& lf = m_font->logFont;
    int pixels = kDefaultFontPixels;
    if (lf.lfHeight != 0) {
        CSize size(0, lf.lfHeight);
        LPtoDP(&size);
        pixels = int(std::clamp(std::abs(std::int64_t(size.cy)), std::int64_t(1),
                                std::int64_t(kMaxFontPixels)));
    }
    if (m_resolved && m_resolved->cellPixels == pixels && sameFont(m_resolved->logFont, lf))
        return *m_resolved;

    auto resolved = std::make_unique<ResolvedFont>();
    resolved->logFont = lf;
    resolved->cellPixels = pixels;
    QFont font(lf.lfFaceName[0] ? QString::fromLatin1(lf.lfFaceName)
                                : QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    int pixelSize = pixels;
    if (lf.lfHeight >= 0) { // a cell height: scale the em size by the face's cell/em ratio
        QFont reference = font;
        reference.setPixelSize(1000);
        const double cellPerEm = QFontMetricsF(reference).height() / 1000.0;
        pixelSize = std::max(1, platform::roundToInt(pixels / std::max(cellPerEm, 0.1)));
    }
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    resolved->font = font;
    resolved->ascent = metrics.ascent();
    resolved->descent = metrics.descent();
    m_resolved = std::move(resolved);
    return *m_resolved;
}

QFont CDC::resolvedFont() const {
    return font().font;
}

CSize CDC::GetTextExtent(const std::string& text) const {
    const ResolvedFont& f = font();
    CSize size(QFontMetrics(f.font).horizontalAdvance(QString::fromStdString(text)),
               f.ascent + f.descent);
    DPtoLP(&size);
    return CSize(std::abs(size.cx), std::abs(size.cy));
}

bool CDC::TextOut(int x, int y, const std::string& text) {
    const CPoint origin = toDevice(x, y);
    if (text.empty() || std::abs(origin.x) > kQtSafeLimit || std::abs(origin.y) > kQtSafeLimit)
        return true;
    if (!preparePainter(QPainter::CompositionMode_SourceOver))
        return true;
    const ResolvedFont& f = font();
    const QString string = QString::fromStdString(text);
    const int width = QFontMetrics(f.font).horizontalAdvance(string);

    int dx = 0; // from the reference point to the text's left end
    if ((m_textAlign & TA_CENTER) == TA_CENTER)
        dx = -(width / 2);
    else if (m_textAlign & TA_RIGHT)
        dx = -width;
    int baseline = f.ascent; // TA_TOP
    if ((m_textAlign & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (m_textAlign & TA_BOTTOM)
        baseline = -f.descent;

    const QRect background(dx, baseline - f.ascent, width, f.ascent + f.descent);
    if (m_vectors) {
        const double angle =
            f.logFont.lfEscapement % 3600 != 0 ? -f.logFont.lfEscapement / 10.0 : 0.0;
        m_vectors->addText({QPointF(origin.x, origin.y), angle, QPointF(dx, baseline), string,
                            f.font, toQColor(m_textColour), m_bkMode == OPAQUE,
                            toQColor(m_bkColour), QRectF(background)});
        return true;
    }
    m_painter->translate(origin.x, origin.y);
    if (f.logFont.lfEscapement % 3600 != 0)
        m_painter->rotate(-f.logFont.lfEscapement / 10.0);
    if (m_bkMode == OPAQUE)
        m_painter->fillRect(background, toQColor(m_bkColour));
    m_painter->setFont(f.font);
    m_painter->setPen(toQColor(m_textColour));
    m_painter->drawText(QPoint(dx, baseline), string);
    m_painter->resetTransform();
    return true;
}

// ---------------------------------------------------------------------------
// Shaded triangles

bool CDC::GradientFill(const TRIVERTEX* vertices, std::uint32_t vertexCount, const void* mesh,
                       std::uint32_t meshCount, std::uint32_t mode) {
    if (mode != GRADIENT_FILL_TRIANGLE || (meshCount > 0 && (!vertices || !mesh)))
        return false;
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (std::uint32_t i = 0; i < meshCount; ++i) {
        const GRADIENT_TRIANGLE& t = triangles[i];
        if (t.Vertex1 >= vertexCount || t.Vertex2 >= vertexCount || t.Vertex3 >= vertexCount)
            return false;
    }
    std::vector<platform::ShadedVertex> device(vertexCount);
    for (std::uint32_t i = 0; i < vertexCount; ++i) {
        const TRIVERTEX& v = vertices[i];
        device[i] = {toDeviceX(v.x), toDeviceY(v.y), v.Red, v.Green, v.Blue};
    }
    const CRect box = clipBox();
    if (box.IsRectEmpty())
        return true;
    const platform::PixelBox clip{box.left, box.top, box.right, box.bottom};
    platform::PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(m_bits), m_image.width(),
                                 m_image.height(), m_bytesPerLine / 4};
    for (std::uint32_t i = 0; i < meshCount; ++i) {
        const GRADIENT_TRIANGLE& t = triangles[i];
        platform::fillShadedTriangle(device[t.Vertex1], device[t.Vertex2], device[t.Vertex3], clip,
                                     buffer);
    }
    return true;
}
