#pragma once
// A device context for the plot drawing code: the calls and the logical
// coordinate mapping of the classic desktop drawing API, drawing into a QImage
// (RGB32) with QPainter and with a few pixel loops of its own.
//
// Coordinates: every drawing call takes logical coordinates (plot units),
// which the mapping turns into device pixels of the image:
//   device = (logical - window origin) * viewport extent / window extent + viewport origin
// computed exactly in 64-bit integers and rounded with halves away from zero,
// then held within +-2^28 pixels. In MM_TEXT the extents are 1:1. In
// MM_ISOTROPIC, SetViewportExt shrinks one viewport extent so that both axes
// get the same scale (the smaller of the two ratios), as the view's
// "prepare device context" step expects. Clip regions (CRgn) are in device pixels.
//
// Pixel rules: a rectangle covers its pixels from left/top up to but not
// including right/bottom; a 1-pixel line covers its start but not its end
// point; an ellipse covers the pixels whose centre lies inside the ellipse
// inscribed in its box; shaded triangles follow the top-left rule (see
// GradientFill.h). FillSolidRect, SetPixelV, InvertRect, PatBlt, text and
// GradientFill ignore the raster operation; lines and ellipses use it.
//
// Extreme input never turns into undefined arithmetic: mapped coordinates
// are held within +-2^28 pixels, lines are clipped before they reach Qt, and
// text, ellipses or triangles far outside the image are skipped or clipped.
// Text needs a QGuiApplication (fonts); everything else works without one.

#include "platform/DrawingTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QFont;
class QImage;
class QPainter;
class QRect;
class VectorLayer;

// Something a device context can select: a pen, a brush or a font.
class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font };
    virtual ~CGdiObject() = default;
    virtual Kind kind() const = 0;
    // True once created (stock objects always are).
    bool isCreated() const { return m_created; }
    // Makes the object uncreated again, like deleting its handle.
    bool DeleteObject();

protected:
    bool m_created = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    // `width` in logical units; 0 means one pixel whatever the mapping.
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    bool CreatePen(int style, int width, COLORREF colour);
    Kind kind() const override { return Kind::Pen; }

    int style = PS_SOLID;
    int width = 0;
    COLORREF colour = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour);
    Kind kind() const override { return Kind::Brush; }

    bool hollow = false; // the null brush fills nothing
    COLORREF colour = RGB(255, 255, 255);
};

// A font description; the face is resolved when text is drawn.
struct LOGFONT {
    int lfHeight = 0; // logical units: > 0 cell height, < 0 character height, 0 default
    int lfWidth = 0;
    int lfEscapement = 0; // tenths of a degree, counterclockwise from the x axis
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0, lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
    char lfFaceName[32] = {}; // empty: the default proportional sans-serif face
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    bool CreateFont(int height, int width, int escapement, int orientation, int weight,
                    std::uint8_t italic, std::uint8_t underline, std::uint8_t strikeOut,
                    std::uint8_t charSet, std::uint8_t outPrecision, std::uint8_t clipPrecision,
                    std::uint8_t quality, std::uint8_t pitchAndFamily, const char* faceName);
    bool CreateFontIndirect(const LOGFONT* font);
    Kind kind() const override { return Kind::Font; }

    LOGFONT logFont;
};

// A rectangular clip region in device pixels.
class CRgn {
public:
    bool CreateRectRgn(int left, int top, int right, int bottom);
    bool CreateRectRgnIndirect(const CRect& rect) {
        return CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    }
    bool isCreated() const { return m_created; }
    const CRect& box() const { return m_box; }

private:
    bool m_created = false;
    CRect m_box;
};

class CDC {
public:
    // Draws into `target`, converted to RGB32 first if it has another format.
    // The image must stay alive, unshared and unresized while the context exists.
    explicit CDC(QImage& target);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // --- Mapping ---
    int SetMapMode(int mode); // returns the previous mode; 0 for an unknown mode
    int GetMapMode() const { return m_mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    // Extents count only in MM_ISOTROPIC and MM_ANISOTROPIC; a zero extent is refused.
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const;

    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    // Sizes convert with the extents only (no origins), keeping their sign.
    void LPtoDP(CSize* size) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void DPtoLP(CSize* size) const;

    // Hands text, and the lines and outlines of pens that copy their colour
    // (R2_COPYPEN, and R2_NOTXORPEN, which gives the pen colour on white), to
    // `layer` in device pixels instead of drawing them into the image; fills,
    // pixels and the other raster operations still go to the image. nullptr
    // (the default) draws everything into the image. The layer must outlive
    // its use.
    void SetVectorLayer(VectorLayer* layer) { m_vectors = layer; }

    // --- Clipping ---
    // Limits all drawing to `deviceRect` as well, like the invalid area of a
    // paint (nullptr: the whole image).
    void SetPaintRect(const CRect* deviceRect);
    // Replaces the clip region with a copy of `region` (device pixels); nullptr removes it.
    int SelectClipRgn(const CRgn* region);
    // Intersects the clip region with a logical rectangle.
    int IntersectClipRect(const CRect& logicalRect);
    // The bounding box of everything drawable, in logical coordinates.
    int GetClipBox(CRect* logicalRect) const;
    bool PtVisible(int x, int y) const;
    bool PtVisible(CPoint p) const { return PtVisible(p.x, p.y); }
    bool RectVisible(const CRect& logicalRect) const;

    // --- Attributes ---
    int SetROP2(int mode); // returns the previous one; 0 for an unknown mode
    int GetROP2() const { return m_rop2; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_bkColour; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_textColour; }
    unsigned SetTextAlign(unsigned flags);
    unsigned GetTextAlign() const { return m_textAlign; }

    // Selecting returns the previously selected object of the same kind (never
    // null while the context lives; an uncreated object is refused with null).
    // The selected object must outlive its selection.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return m_pen; }
    CBrush* GetCurrentBrush() const { return m_brush; }
    CFont* GetCurrentFont() const { return m_font; }

    // --- Drawing ---
    void FillSolidRect(const CRect& rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FillRect(const CRect& rect, const CBrush* brush);
    void InvertRect(const CRect& rect);
    // WHITENESS, BLACKNESS, DSTINVERT, PATCOPY or PATINVERT (with the selected brush).
    bool PatBlt(int x, int y, int width, int height, std::uint32_t rop);
    COLORREF SetPixel(int x, int y, COLORREF colour);
    bool SetPixelV(int x, int y, COLORREF colour);
    bool SetPixelV(CPoint p, COLORREF colour) { return SetPixelV(p.x, p.y, colour); }
    // Sets the pixels SetPixelV(x, y, colour) would set, for many logical
    // points in one paint: the clip box is found once and each axis's
    // mapping is looked up in a table over the logical rectangle `range`
    // (made with the context's own mapping, so the pixels are the same),
    // instead of a division per point. Points outside `range` and ranges too
    // large for a table are mapped as SetPixelV maps them. The context's
    // mapping and clipping must not change while the marker is used.
    class PixelMarker {
    public:
        PixelMarker(CDC& dc, const CRect& range, COLORREF colour);
        void mark(int x, int y);
        // The device pixel of logical (x, y), false when outside the clip
        // box; reads only, so threads may share it.
        bool devicePixel(int x, int y, CPoint& pixel) const;
        // Sets the pixel that devicePixel gave.
        void markDevice(CPoint pixel) { m_dc.row(pixel.y)[pixel.x] = m_pixel; }
        const CRect& clip() const { return m_clip; }

    private:
        CDC& m_dc;
        CRect m_clip;
        std::uint32_t m_pixel;
        int m_left, m_top;
        std::vector<int> m_columns, m_rows; // device x of m_left + i, device y of m_top + i
    };
    COLORREF GetPixel(int x, int y) const;

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_position; }
    // Draws with the selected pen from the current position to (x, y) and moves there.
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    // Fills with the selected brush and outlines with the selected pen.
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const CRect& rect) {
        return Ellipse(rect.left, rect.top, rect.right, rect.bottom);
    }

    // Text is UTF-8, placed by the alignment flags, in the text colour, on a
    // background box in OPAQUE mode.
    bool TextOut(int x, int y, const std::string& text);
    // The logical size of `text` in the selected font.
    CSize GetTextExtent(const std::string& text) const;
    // The Qt font that text is drawn with at the current mapping.
    QFont resolvedFont() const;

    // Gouraud-shaded triangles (GRADIENT_FILL_TRIANGLE only): vertex positions
    // are logical, the colours' upper 8 bits are used. False for another mode
    // or an index out of range (then nothing is drawn).
    bool GradientFill(const TRIVERTEX* vertices, std::uint32_t vertexCount, const void* mesh,
                      std::uint32_t meshCount, std::uint32_t mode);

private:
    struct ResolvedFont;

    void adjustIsotropic();
    std::int64_t toDeviceX(std::int64_t x) const;
    std::int64_t toDeviceY(std::int64_t y) const;
    CPoint toDevice(int x, int y) const;
    CPoint toLogical(int x, int y) const;
    CRect toDeviceRect(const CRect& logical) const; // normalised
    CRect clipBox() const;                          // device pixels, may be empty
    std::uint32_t* row(int y) const;
    void fillDevice(const CRect& deviceRect, std::uint32_t pixel);
    void xorDevice(const CRect& deviceRect, std::uint32_t mask);
    void fillEllipse(const CRect& deviceBox, COLORREF colour);
    void strokeEllipse(const CRect& deviceBox);
    void strokeLine(CPoint from, CPoint to);
    bool preparePainter(int compositionMode);
    bool drawsAsVector() const;
    int devicePenWidth() const;
    const ResolvedFont& font() const;

    QImage& m_image;
    std::unique_ptr<QPainter> m_painter;
    unsigned char* m_bits = nullptr;
    std::ptrdiff_t m_bytesPerLine = 0;
    int m_mapMode = MM_TEXT;
    CPoint m_windowOrg, m_viewportOrg;
    CSize m_windowExt{1, 1}, m_viewportExt{1, 1}, m_requestedViewportExt{1, 1};
    bool m_hasPaintRect = false, m_hasClipRgn = false;
    CRect m_paintRect, m_clipRgn;
    int m_rop2 = R2_COPYPEN;
    int m_bkMode = OPAQUE;
    COLORREF m_bkColour = RGB(255, 255, 255);
    COLORREF m_textColour = RGB(0, 0, 0);
    unsigned m_textAlign = TA_LEFT | TA_TOP;
    CPen* m_pen;
    CBrush* m_brush;
    CFont* m_font;
    CPoint m_position;
    mutable std::unique_ptr<ResolvedFont> m_resolved;
    VectorLayer* m_vectors = nullptr;
};
