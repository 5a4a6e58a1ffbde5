// The editing operations of the document: values changed in place, stations
// removed, and the log-scale toggle. All work in one pass over the arrays
// without allocating; removals move the kept stations towards the front.

#include "CTESKAdatDoc.h"

#include <cmath>

namespace {

// The assign command scales by the double 0.01; the noise command by the
// single-precision 0.01 widened to double, which its errors have always had.
constexpr double kAssignFactor = 0.01;
constexpr double kNoiseFactor = 0.009999999776482582;

} // namespace

ValueRefresher* CTESKAdatDoc::firstValueRefresher() const {
    return dynamic_cast<ValueRefresher*>(firstView());
}

bool CTESKAdatDoc::extendsBeyondRegion(double x1, double x2, double y1, double y2) const {
    return xMin < x1 || xMax > x2 || yMin < y1 || yMax > y2;
}

template <class Keep> int CTESKAdatDoc::compactStations(Keep keep) {
    std::vector<double>* arrays[8] = {&x, &y, &elevation, &data, &error};
    int arrayCount = 5;
    if (hasPredicted)
        arrays[arrayCount++] = &predicted;
    if (!m_predictedBeforeLog.empty())
        arrays[arrayCount++] = &m_predictedBeforeLog;

    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!keep(i))
            continue;
        if (kept != i)
            for (int a = 0; a < arrayCount; ++a)
                (*arrays[a])[kept] = (*arrays[a])[i];
        ++kept;
    }
    return kept;
}

void CTESKAdatDoc::afterStationsRemoved() {
    recomputeExtents();
    UpdateAllViews(nullptr, HintStationsChanged);
    SetModifiedFlag(true);
}

void CTESKAdatDoc::setErrors(double factor, double minimum) {
    for (int i = 0; i < count; ++i)
        error[i] = std::fabs(data[i]) * factor + minimum;
}

void CTESKAdatDoc::assignStandardDeviation(double percent, double minimum) {
    setErrors(percent * kAssignFactor, minimum);
    SetModifiedFlag(true);
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshErrorValues();
        view->invalidate();
    }
}

void CTESKAdatDoc::addGaussianNoise(double percent, double minimum, std::uint32_t seed) {
    setErrors(percent * kNoiseFactor, minimum);
    SetModifiedFlag(true);
    // Reseeding keeps a spare deviate left over from the previous command.
    noiseSource.seed(seed);
    for (int i = 0; i < count; ++i)
        data[i] = data[i] + noiseSource.gaussianDeviate() * error[i];
    recomputeExtents();
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshMainValues();
        view->refreshErrorValues();
        view->invalidate();
    }
}

void CTESKAdatDoc::addConstant(double constant) {
    for (int i = 0; i < count; ++i)
        data[i] += constant;
    // Shifted rather than recomputed: the extents move with the values.
    dataMin += constant;
    dataMax += constant;
    SetModifiedFlag(true);
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshMainValues();
        view->invalidate();
    }
}

bool CTESKAdatDoc::downsample(int step) {
    if (step < 1 || count <= 0)
        return false;
    count = compactStations([step](int i) { return i % step == 0; });
    afterStationsRemoved();
    return true;
}

void CTESKAdatDoc::cropToRegion(double x1, double x2, double y1, double y2) {
    // Written so that a NaN coordinate fails the test.
    count = compactStations(
        [&](int i) { return x1 <= x[i] && x[i] <= x2 && y1 <= y[i] && y[i] <= y2; });
    afterStationsRemoved();
}

bool CTESKAdatDoc::deleteStation(int index) {
    if (index < 0 || index >= count)
        return false;
    count = compactStations([index](int i) { return i != index; });
    afterStationsRemoved();
    return true;
}

bool CTESKAdatDoc::toggleLogScale() {
    if (!canToggleLogScale())
        return false;
    const bool predictedToo = hasPredicted;
    if (!logScale) {
        // Predicted values without a logarithm would come back as NaN; keep
        // them so that switching off restores them.
        m_predictedBeforeLog.clear();
        for (int i = 0; predictedToo && i < count; ++i)
            if (!(predicted[i] > 0)) {
                m_predictedBeforeLog.assign(predicted.begin(), predicted.begin() + count);
                break;
            }
        for (int i = 0; i < count; ++i)
            data[i] = std::log10(data[i]);
        for (int i = 0; predictedToo && i < count; ++i)
            predicted[i] = std::log10(predicted[i]);
        dataMin = std::log10(dataMin);
        dataMax = std::log10(dataMax);
    } else {
        for (int i = 0; i < count; ++i)
            data[i] = std::pow(10.0, data[i]);
        const bool restore = m_predictedBeforeLog.size() >= static_cast<size_t>(count);
        for (int i = 0; predictedToo && i < count; ++i)
            predicted[i] = restore && !std::isfinite(predicted[i]) ? m_predictedBeforeLog[i]
                                                                   : std::pow(10.0, predicted[i]);
        std::vector<double>().swap(m_predictedBeforeLog);
        dataMin = std::pow(10.0, dataMin);
        dataMax = std::pow(10.0, dataMax);
    }
    logScale = !logScale;
    UpdateAllViews(nullptr, HintNewData);
    return true;
}
