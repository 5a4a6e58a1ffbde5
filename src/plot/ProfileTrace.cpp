#include "plot/ProfileTrace.h"

#include "platform/Format.h"
#include "plot/PlotLabels.h"
#include "plot/TriangleMask.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// The start values of the extremes: the largest single-precision value.
constexpr double kFloatMax = 3.4028234663852886e38;

// The value of node values at a point, `outside` outside the stations' hull
// and in masked triangles.
class ProfileSampler {
public:
    ProfileSampler(const ViewState& state, const StationArrays& arrays,
                   const std::vector<double>& values, double outside)
        : m_arrays(arrays), m_values(values), m_outside(outside), m_mask(state, arrays) {}
    ProfileSampler(const ViewState& state, const StationArrays& arrays)
        : ProfileSampler(state, arrays, arrays.mainValues, 0) {}

    double valueAt(double x, double y) {
        double value = 0;
        const int result =
            interpolateLinear(m_arrays.nodeCount(), x, y, m_arrays.stationX.data(),
                              m_arrays.stationY.data(), m_values.data(), m_arrays.adjacency.data(),
                              m_arrays.adjacencyEnd.data(), m_startNode, value);
        if (result != Interpolated || m_mask.masksPoint(x, y, m_maskStart))
            return m_outside;
        return value;
    }

private:
    const StationArrays& m_arrays;
    const std::vector<double>& m_values;
    double m_outside;
    TriangleMask m_mask;
    int32_t m_startNode = 1;
    int32_t m_maskStart = 1;
};

// Where traceProfile samples: every `step` plot units from A, `count` times.
struct SampleSpacing {
    double length = 0, step = 0;
    int count = 0;
};

SampleSpacing spacingOf(const ViewState& state, int lengthPixels) {
    SampleSpacing spacing;
    const double ex = state.profileEnd.x - double(state.profileStart.x);
    const double ey = state.profileEnd.y - double(state.profileStart.y);
    spacing.length = std::hypot(ex, ey);
    spacing.step = 4 * spacing.length / lengthPixels;
    spacing.count = roundHalfAway(spacing.length / spacing.step) - 1;
    if (!(spacing.length > 0) || lengthPixels <= 0)
        spacing.count = 0;
    return spacing;
}

bool canSample(const StationArrays& arrays) {
    return arrays.nodeCount() >= 3 &&
           arrays.mainValues.size() >= static_cast<size_t>(arrays.nodeCount());
}

// Follows the curve through the level; labels the distance between
// successive crossings in two alternating rows.
class CrossingFinder {
public:
    CrossingFinder(double level, double step, double plotScale)
        : m_level(level), m_step(step), m_plotScale(plotScale) {}

    void add(int sample, double t, double y, double previousY,
             std::vector<ProfileCrossing>& crossings) {
        if (!((y <= m_level && m_level < previousY) || (y >= m_level && m_level > previousY)))
            return;
        ++m_count;
        const double x = t - m_step * (y - m_level) / (y - previousY);
        ProfileCrossing crossing;
        crossing.afterSample = sample;
        crossing.markX = roundPlot(x);
        if (m_count > 1) {
            const int row = (y > 0 ? -40 : 80) - (m_count % 2 == 1 ? 40 : 0);
            crossing.hasDistance = true;
            crossing.distanceAt = {roundPlot((x + m_previousX) / 2), row};
            crossing.distanceText =
                formatString("%im", roundHalfAway((x - m_previousX) / m_plotScale));
        }
        m_previousX = x;
        crossings.push_back(std::move(crossing));
    }

private:
    double m_level, m_step, m_plotScale;
    double m_previousX = 0;
    int m_count = 0;
};

} // namespace

ProfileTrace traceProfile(const ViewState& state, const StationArrays& arrays, int lengthPixels) {
    ProfileTrace trace;
    const double ax = state.profileStart.x, ay = state.profileStart.y;
    const double ex = state.profileEnd.x - ax, ey = state.profileEnd.y - ay;
    const SampleSpacing spacing = spacingOf(state, lengthPixels);
    const double length = spacing.length;
    trace.length = length;
    trace.step = spacing.step;
    trace.verticalScale =
        -(state.plotHeight * 0.5) / std::max(std::fabs(state.mainMin), std::fabs(state.mainMax));
    trace.lo = kFloatMax;
    trace.hi = -kFloatMax;

    const int samples = spacing.count;
    if (samples <= 0 || !std::isfinite(trace.verticalScale) || !canSample(arrays))
        return trace;

    const double dx = ex / length, dy = ey / length;
    const bool hasLevel = state.profileLevel != kNoProfileLevel;
    CrossingFinder crossings(state.profileLevel, trace.step, state.plotScale);
    ProfileSampler sampler(state, arrays);
    trace.curve.reserve(static_cast<size_t>(samples));
    double previousY = 0;
    for (int j = 0; j < samples; ++j) {
        const double t = (j + 1) * trace.step;
        const double v = sampler.valueAt(ax + t * dx, ay + t * dy);
        trace.lo = std::min(trace.lo, v);
        trace.hi = std::max(trace.hi, v);
        const double y = v * trace.verticalScale;
        trace.curve.push_back({roundPlot(t), roundPlot(y)});
        if (j > 0 && hasLevel)
            crossings.add(j, t, y, previousY, trace.crossings);
        previousY = y;
    }
    return trace;
}

namespace {

std::vector<ProfileSample> sampleAt(const ViewState& state, const StationArrays& arrays,
                                    const std::vector<double>* predictedNodes,
                                    const SampleSpacing& spacing, double first) {
    std::vector<ProfileSample> samples;
    if (spacing.count <= 0 || !canSample(arrays))
        return samples;
    const bool withPredicted =
        predictedNodes && predictedNodes->size() >= static_cast<size_t>(arrays.nodeCount());
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    ProfileSampler observed(state, arrays, arrays.mainValues, kGap);
    ProfileSampler predicted(state, arrays, withPredicted ? *predictedNodes : arrays.mainValues,
                             kGap);
    const double ax = state.profileStart.x, ay = state.profileStart.y;
    const double dx = (state.profileEnd.x - ax) / spacing.length;
    const double dy = (state.profileEnd.y - ay) / spacing.length;
    samples.reserve(static_cast<size_t>(spacing.count));
    for (int j = 0; j < spacing.count; ++j) {
        ProfileSample sample;
        sample.along = first + j * spacing.step;
        const double x = ax + sample.along * dx, y = ay + sample.along * dy;
        sample.distance = sample.along / state.plotScale;
        sample.easting = state.regionXMin + x / state.plotScale;
        sample.northing = state.regionYMax - y / state.plotScale;
        sample.observed = observed.valueAt(x, y);
        sample.predicted = withPredicted ? predicted.valueAt(x, y) : kGap;
        samples.push_back(sample);
    }
    return samples;
}

} // namespace

std::vector<ProfileSample> sampleProfile(const ViewState& state, const StationArrays& arrays,
                                         const std::vector<double>* predictedNodes,
                                         int lengthPixels) {
    const SampleSpacing spacing = spacingOf(state, lengthPixels);
    return sampleAt(state, arrays, predictedNodes, spacing, spacing.step);
}

std::vector<ProfileSample> sampleProfileEvery(const ViewState& state, const StationArrays& arrays,
                                              const std::vector<double>* predictedNodes,
                                              double stepUnits, int maxSamples) {
    SampleSpacing spacing;
    spacing.length = std::hypot(state.profileEnd.x - double(state.profileStart.x),
                                state.profileEnd.y - double(state.profileStart.y));
    if (!(spacing.length > 0) || !(stepUnits > 0) || !std::isfinite(stepUnits) || maxSamples < 2)
        return {};
    spacing.step = std::max(stepUnits, spacing.length / (maxSamples - 1));
    spacing.count = static_cast<int>(std::floor(spacing.length / spacing.step + 1e-9)) + 1;
    return sampleAt(state, arrays, predictedNodes, spacing, 0);
}

IntPoint fitIntoMainPlot(IntPoint a, IntPoint b, double plotWidth, double plotHeight) {
    // Along the line from A, first onto the left or right edge, then onto
    // the top or bottom edge. A lies inside, so no division is by zero.
    const double ax = a.x, ay = a.y;
    double bx = b.x, by = b.y;
    if (bx > plotWidth && bx != ax) {
        by = ay + roundHalfAway((by - ay) / (bx - ax) * (plotWidth - ax));
        bx = roundHalfAway(plotWidth);
    } else if (bx < 0 && bx != ax) {
        by = ay + roundHalfAway((by - ay) / (bx - ax) * (0 - ax));
        bx = 0;
    }
    if (by > plotHeight && by != ay) {
        bx = ax + roundHalfAway((bx - ax) / (by - ay) * (plotHeight - ay));
        by = roundHalfAway(plotHeight);
    } else if (by < 0 && by != ay) {
        bx = ax + roundHalfAway((bx - ax) / (by - ay) * (0 - ay));
        by = 0;
    }
    return {roundHalfAway(bx), roundHalfAway(by)};
}

bool fitProfileLine(IntPoint a, IntPoint b, double plotWidth, double plotHeight, IntPoint& start,
                    IntPoint& end) {
    if (a == b)
        return false;
    start = a;
    end = fitIntoMainPlot(a, b, plotWidth, plotHeight);
    if (start.x > end.x)
        std::swap(start, end);
    return true;
}
