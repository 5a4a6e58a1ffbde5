#include "plot/ProfileChart.h"

#include <algorithm>
#include <cmath>

double ProfileChart::xOf(double along) const {
    return lengthUnits > 0 ? along / lengthUnits * width : 0;
}

double ProfileChart::yOf(double value) const {
    return height * (valueMax - value) / (valueMax - valueMin);
}

double ProfileChart::valueAtY(double y) const {
    return valueMax - y / height * (valueMax - valueMin);
}

double halfMedianSpacing(const StationArrays& arrays) {
    const int n = arrays.nodeCount();
    if (n < 3 || arrays.adjacencyEnd.size() < static_cast<size_t>(n))
        return 0;
    const int stride = std::max(1, n / 20000);
    std::vector<double> nearest;
    nearest.reserve(static_cast<size_t>(n / stride + 1));
    for (int i = 0; i < n; i += stride) {
        const int listStart = i == 0 ? 0 : arrays.adjacencyEnd[i - 1];
        double closest = INFINITY;
        for (int q = listStart; q < arrays.adjacencyEnd[i]; ++q)
            if (const int32_t node = arrays.adjacency[q]; node != 0)
                closest =
                    std::min(closest, std::hypot(arrays.stationX[node - 1] - arrays.stationX[i],
                                                 arrays.stationY[node - 1] - arrays.stationY[i]));
        if (std::isfinite(closest))
            nearest.push_back(closest);
    }
    if (nearest.empty())
        return 0;
    const auto middle = nearest.begin() + static_cast<std::ptrdiff_t>(nearest.size() / 2);
    std::nth_element(nearest.begin(), middle, nearest.end());
    return *middle / 2;
}

double profileStepUnits(const ViewState& state, const StationArrays& arrays) {
    if (state.profileStep > 0)
        return state.profileStep * state.plotScale;
    return halfMedianSpacing(arrays);
}

namespace {

// The lowest and highest finite value of the samples; lo > hi for none.
void valueExtent(const ProfileChart& chart, double& lo, double& hi) {
    lo = INFINITY;
    hi = -INFINITY;
    for (const ProfileSample& sample : chart.samples)
        for (const double v : {sample.observed, chart.withPredicted ? sample.predicted : NAN})
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
}

} // namespace

ProfileChart buildProfileChart(const ViewState& state, const StationArrays& arrays,
                               const std::vector<double>* predictedNodes) {
    ProfileChart chart;
    chart.width = state.plotWidth;
    chart.height = state.plotHeight;
    chart.withPredicted = predictedNodes != nullptr;
    chart.lengthUnits = std::hypot(state.profileEnd.x - double(state.profileStart.x),
                                   state.profileEnd.y - double(state.profileStart.y));
    chart.lengthMetres = chart.lengthUnits / state.plotScale;
    chart.samples =
        sampleProfileEvery(state, arrays, predictedNodes, profileStepUnits(state, arrays));
    chart.distanceTicks = chooseRoundTicks(0, chart.lengthMetres, 6);

    double lo = 0, hi = 0;
    valueExtent(chart, lo, hi);
    if (!(lo <= hi)) { // nothing inside the stations' hull
        chart.samples.clear();
        return chart;
    }
    if (!(hi - lo > 1e-9 * std::max(std::fabs(lo), std::fabs(hi)))) {
        const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    const int target = std::clamp(static_cast<int>(std::lround(5 * state.plotHeight / 700)), 2, 10);
    chart.valueTicks = chooseRoundTicks(lo, hi, target);
    const double step = chart.valueTicks.step;
    if (step > 0) {
        // The axis ends on ticks just beyond the extremes.
        chart.valueMin = std::floor(lo / step + 1e-9) * step;
        chart.valueMax = std::ceil(hi / step - 1e-9) * step;
        chart.valueTicks = chooseRoundTicks(chart.valueMin, chart.valueMax, target);
    } else {
        chart.valueMin = lo;
        chart.valueMax = hi;
    }
    return chart;
}
