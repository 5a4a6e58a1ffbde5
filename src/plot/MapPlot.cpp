// One map plot: the fill by the chosen method, the station marks, the
// highlighted station, then the axes and the colour bar.

#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"
#include "plot/PlotLabels.h"
#include "plot/PlotLayout.h"
#include "plot/SearchInTurn.h"
#include "plot/StationTriangulation.h"
#include "plot/TriangleMask.h"
#include "triangulation/SecondHalf.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace {

// What every fill method needs.
struct MapFill {
    CDC& dc;
    const ViewState& state;
    const StationArrays& arrays;
    const std::vector<double>& values;
    ColourScale scale;
    CRect devicePlot; // the plot rectangle with its 4-unit margin, device pixels

    COLORREF colourOf(double value) const {
        return state.colourTable[scale.indexFor(value)].colorRef();
    }
    bool insidePlot(int node) const {
        const double x = arrays.stationX[node], y = arrays.stationY[node];
        return x >= 0 && x <= state.plotWidth && y >= 0 && y <= state.plotHeight;
    }
    IntPoint roundedPosition(int node) const {
        return {roundPlot(arrays.stationX[node]), roundPlot(arrays.stationY[node])};
    }
};

// The nodes [first, last) whose easting lies within the clip box widened
// by `left` plot units to the left and `right` to the right (and a slack for
// rounding), and the northing band [top, bottom] of the clip box widened
// likewise. The nodes are in easting order, so two binary searches find
// them; the band is a cheap first test of a node before the exact
// visibility test that every node passing it still gets.
struct NodeRange {
    int first = 0, last = 0;
    double top = 0, bottom = -1;
    bool inBand(double y) const { return y >= top && y <= bottom; }
};

double unitsPerPixel(const CDC& dc) {
    return static_cast<double>(dc.GetWindowExt().cx) / dc.GetViewportExt().cx;
}

NodeRange nodesNearClipBox(const MapFill& fill, double left, double right) {
    CRect clip;
    if (fill.dc.GetClipBox(&clip) == NULLREGION)
        return {};
    // Rounding to plot units and to pixels can each move a point by one
    // pixel; the slack covers both with room to spare.
    const double slack = 2 + 2 * std::fabs(unitsPerPixel(fill.dc));
    const double lo = clip.left - slack - left, hi = clip.right + slack + right;
    const std::vector<double>& x = fill.arrays.stationX;
    const auto end = x.begin() + fill.arrays.nodeCount();
    const auto first = std::lower_bound(x.begin(), end, lo);
    const auto last = std::upper_bound(first, end, hi);
    const double reach = std::max(left, right) + slack;
    return {static_cast<int>(first - x.begin()), static_cast<int>(last - x.begin()),
            clip.top - reach, clip.bottom + reach};
}

// Cells whose values are found together; small batches (a strip, a small
// window) are not worth a second thread.
constexpr size_t kFillBatch = 65536;
constexpr size_t kCellsForTwoThreads = 256;

// 5 by 5 pixel cells near the clip box, each coloured by the value
// interpolated at its centre; cells whose centre lies outside the stations'
// hull stay unpainted.
void fillByCells(const MapFill& fill) {
    CDC& dc = fill.dc;
    CRect clip;
    dc.GetClipBox(&clip);
    dc.LPtoDP(&clip);
    const int x0 = std::max(fill.devicePlot.left, clip.left - 20);
    const int x1 = std::min(fill.devicePlot.right, clip.right + 20);
    const int y0 = std::max(fill.devicePlot.top, clip.top - 20);
    const int y1 = std::min(fill.devicePlot.bottom, clip.bottom + 20);
    if (x0 > x1 || y0 > y1)
        return;
    const StationArrays& a = fill.arrays;
    const TriangleMask mask(fill.state, a);
    int32_t startNode = 1; // each search starts where the last one ended
    int32_t maskStart = 1;
    std::vector<CRect> cells;
    std::vector<SearchPoint> centres;
    // The cells' values are found in batches, each on both cores when the
    // machine has two; a batch is painted in the order of the cells.
    const int threads = splitThreads();
    const auto paintBatch = [&] {
        const std::vector<SearchAnswer> answers =
            interpolateInTurn(a, fill.values, centres, startNode,
                              centres.size() >= kCellsForTwoThreads ? threads : 1);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (answers[i].result == Interpolated &&
                !mask.masksPoint(centres[i].x, centres[i].y, maskStart))
                dc.FillSolidRect(cells[i], fill.colourOf(answers[i].value));
        }
        cells.clear();
        centres.clear();
    };
    for (int c = 0; c <= (x1 - x0) / 5; ++c) {
        const int cx = x0 + 2 + 5 * c;
        for (int r = 0; r <= (y1 - y0) / 5; ++r) {
            const int cy = y0 + 2 + 5 * r;
            CRect cell(cx - 5, cy - 5, cx, cy);
            dc.DPtoLP(&cell);
            if (!dc.RectVisible(cell))
                continue;
            cells.push_back(cell);
            centres.push_back({static_cast<double>((std::int64_t(cell.left) + cell.right) / 2),
                               static_cast<double>((std::int64_t(cell.top) + cell.bottom) / 2)});
            if (cells.size() == kFillBatch)
                paintBatch();
        }
    }
    paintBatch();
}

// Every triangle shaded between its corners' colours, clipped to the plot
// rectangle with its margin. Only triangles whose smallest node lies at
// most the widest triangle's span left of the clip box can reach it; the
// vertices are those of the listed triangles' nodes.
void fillByShadedTriangles(const MapFill& fill) {
    const NodeRange owners = nodesNearClipBox(fill, fill.arrays.widestTriangle, 0);
    const std::vector<Triangle> listed = listTrianglesFrom(fill.arrays, owners.first, owners.last);
    const int offset = owners.first;
    int end = offset;
    for (const Triangle& t : listed)
        end = std::max({end, t[0] + 1, t[1] + 1, t[2] + 1});
    std::vector<TRIVERTEX> vertices(static_cast<size_t>(end - offset));
    for (int node = offset; node < end; ++node) {
        const IntPoint p = fill.roundedPosition(node);
        const COLORREF c = fill.colourOf(fill.values[node]);
        TRIVERTEX& v = vertices[node - offset];
        v.x = p.x;
        v.y = p.y;
        v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
        v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
        v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
    }
    const TriangleMask mask(fill.state, fill.arrays);
    std::vector<GRADIENT_TRIANGLE> triangles;
    triangles.reserve(listed.size());
    for (const Triangle& t : listed)
        if (!mask.masks(t[0], t[1], t[2]))
            triangles.push_back({static_cast<std::uint32_t>(t[0] - offset),
                                 static_cast<std::uint32_t>(t[1] - offset),
                                 static_cast<std::uint32_t>(t[2] - offset)});
    CRgn plotRegion;
    plotRegion.CreateRectRgnIndirect(fill.devicePlot);
    fill.dc.SelectClipRgn(&plotRegion);
    fill.dc.GradientFill(vertices.data(), static_cast<std::uint32_t>(vertices.size()),
                         triangles.data(), static_cast<std::uint32_t>(triangles.size()),
                         GRADIENT_FILL_TRIANGLE);
    fill.dc.SelectClipRgn(nullptr);
}

// A disc of circleRadius pixels per station inside the plot, ANDed into
// what is already there, so overlapping discs combine their colours.
void fillByCircles(const MapFill& fill) {
    CDC& dc = fill.dc;
    const int previousRop = dc.SetROP2(R2_MASKPEN);
    CGdiObject* previousPen = dc.SelectStockObject(NULL_PEN);
    const int r = std::max(roundPlot(unitsPerPixel(dc) * fill.state.circleRadius), 1);
    const NodeRange near = nodesNearClipBox(fill, r, r);
    for (int node = near.first; node < near.last; ++node) {
        if (!near.inBand(fill.arrays.stationY[node]) || !fill.insidePlot(node))
            continue;
        const IntPoint c = fill.roundedPosition(node);
        const CRect box(c.x - r, c.y - r, c.x + r, c.y + r);
        if (!dc.RectVisible(box))
            continue;
        CBrush brush(fill.colourOf(fill.values[node]));
        CBrush* previousBrush = dc.SelectObject(&brush);
        dc.Ellipse(box);
        dc.SelectObject(previousBrush);
    }
    dc.SetROP2(previousRop);
    dc.SelectObject(previousPen);
}

// Pixels of the clip box to be marked, one bit each: the marks are set in
// one pass along the rows afterwards, instead of one scattered write per
// station.
class MarkedPixels {
public:
    explicit MarkedPixels(const CRect& clip)
        : m_clip(clip), m_width(static_cast<size_t>(clip.Width())),
          m_bits((m_width * static_cast<size_t>(clip.Height()) + 63) / 64) {}
    void set(CPoint p) {
        const size_t i = static_cast<size_t>(p.y - m_clip.top) * m_width +
                         static_cast<size_t>(p.x - m_clip.left);
        m_bits[i / 64] |= std::uint64_t(1) << (i % 64);
    }
    void add(const MarkedPixels& other) {
        for (size_t word = 0; word < m_bits.size(); ++word)
            m_bits[word] |= other.m_bits[word];
    }
    template <class Mark> void forEach(Mark mark) const {
        for (size_t word = 0; word < m_bits.size(); ++word) {
            for (std::uint64_t bits = m_bits[word]; bits != 0; bits &= bits - 1) {
                const size_t i = word * 64 + static_cast<size_t>(__builtin_ctzll(bits));
                mark(CPoint(m_clip.left + static_cast<int>(i % m_width),
                            m_clip.top + static_cast<int>(i / m_width)));
            }
        }
    }

    // The first marked pixel (in row order) of each `side` by `side` square
    // of the clip box, so that crowded marks become dots apart.
    MarkedPixels spaced(int side) const {
        MarkedPixels kept(m_clip);
        const size_t columns = m_width / static_cast<size_t>(side) + 1;
        std::vector<bool> taken(columns * (static_cast<size_t>(m_clip.Height()) / side + 1));
        forEach([&](CPoint p) {
            const size_t square = static_cast<size_t>((p.y - m_clip.top) / side) * columns +
                                  static_cast<size_t>((p.x - m_clip.left) / side);
            if (!taken[square]) {
                taken[square] = true;
                kept.set(p);
            }
        });
        return kept;
    }

private:
    CRect m_clip;
    size_t m_width;
    std::vector<std::uint64_t> m_bits;
};

// Below this many nodes the marks are not worth a second thread.
constexpr int kMarksForTwoThreads = 1 << 18;

// The pixels of the stations of nodes [first, last) inside the plot.
void findMarkedPixels(const MapFill& fill, const NodeRange& near, int first, int last,
                      const CDC::PixelMarker& marker, MarkedPixels& marked) {
    for (int node = first; node < last; ++node) {
        if (!near.inBand(fill.arrays.stationY[node]) || !fill.insidePlot(node))
            continue;
        const IntPoint p = fill.roundedPosition(node);
        CPoint pixel;
        if (marker.devicePixel(p.x, p.y, pixel))
            marked.set(pixel);
    }
}

// A black pixel at every station inside the plot. All marks have one
// colour, so the pixels are the same in whatever order they are set; with
// many stations the upper half of the nodes is mapped on a second thread.
void markStations(const MapFill& fill) {
    const NodeRange near = nodesNearClipBox(fill, 0, 0);
    if (near.first >= near.last)
        return;
    const std::vector<double>& x = fill.arrays.stationX;
    const CRect range(roundPlot(x[near.first]), roundPlot(near.top), roundPlot(x[near.last - 1]),
                      roundPlot(near.bottom));
    CDC::PixelMarker marker(fill.dc, range, RGB(0, 0, 0));
    if (marker.clip().IsRectEmpty())
        return;
    MarkedPixels marked(marker.clip());
    std::optional<MarkedPixels> upper; // the second half's
    const int threads = near.last - near.first >= kMarksForTwoThreads ? splitThreads() : 1;
    if (threads >= 2) {
        try {
            upper.emplace(marker.clip());
        } catch (const std::bad_alloc&) { // no memory for it: one loop
        }
    }
    if (upper) {
        const int split = near.first + (near.last - near.first) / 2;
        runSecondHalfAlongside(
            threads, [&] { findMarkedPixels(fill, near, near.first, split, marker, marked); },
            [&] { findMarkedPixels(fill, near, split, near.last, marker, *upper); });
        marked.add(*upper);
    } else {
        findMarkedPixels(fill, near, near.first, near.last, marker, marked);
    }
    if (fill.state.markSpacing > 1)
        marked = marked.spaced(fill.state.markSpacing);
    marked.forEach([&](CPoint pixel) { marker.markDevice(pixel); });
}

} // namespace

void CTESKAdatView::drawMapPlot(CDC& dc, const std::vector<double>& values, double min,
                                double max) {
    const CRect plotRect(-4, -4, roundPlot(plotWidth) + 4, roundPlot(plotHeight) + 4);
    const bool drawable = nodeCount() >= 3 && values.size() >= static_cast<size_t>(nodeCount());
    if (drawable && dc.RectVisible(plotRect)) {
        CRect devicePlot = plotRect;
        dc.LPtoDP(&devicePlot);
        const MapFill fill{dc, *this, *this, values, ColourScale(min, max), devicePlot};
        switch (plotMethod) {
        case PlotMethod::Original:
            fillByCells(fill);
            break;
        case PlotMethod::GradientFill:
            fillByShadedTriangles(fill);
            break;
        case PlotMethod::Circles:
            fillByCircles(fill);
            break;
        }
        if (showLocations && plotMethod != PlotMethod::Circles)
            markStations(fill);
        if (!(markedPoint == IntPoint{-1, -1}))
            dc.InvertRect(CRect(markedPoint.x - plot_layout::kStationMarkHalf,
                                markedPoint.y - plot_layout::kStationMarkHalf,
                                markedPoint.x + plot_layout::kStationMarkHalf,
                                markedPoint.y + plot_layout::kStationMarkHalf));
    }
    if (drawable && m_colourBarKind == PlotKind::None)
        drawMapFurniture(dc, values);
    if (roundTicks) {
        drawMapFrame(dc);
        const auto finite = [](double v) { return std::isfinite(v); };
        m_valuesBelow = std::any_of(values.begin(), values.end(),
                                    [&](double v) { return finite(v) && v < min; });
        m_valuesAbove = std::any_of(values.begin(), values.end(),
                                    [&](double v) { return finite(v) && v > max; });
    }
    drawAxes(dc);
    if (colourBarRole != ColourBarRole::Omitted)
        drawColourBar(dc, max, min);
}
