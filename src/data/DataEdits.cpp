// The editing operations of the document: values changed in place, stations
// removed, and the log-scale toggle. All work in one pass over the arrays
// without allocating; removals move the kept stations towards the front.

#include "data/CTESKAdatDoc.h"

#include <cmath>
#include <utility>

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

    const bool lines = lineOfStation.size() >= static_cast<size_t>(count);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!keep(i))
            continue;
        if (kept != i) {
            for (int a = 0; a < arrayCount; ++a)
                (*arrays[a])[kept] = (*arrays[a])[i];
            if (lines)
                lineOfStation[kept] = lineOfStation[i];
        }
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
    recordChange("Assign standard deviation", data::UndoRefresh::Values);
    setErrors(percent * kAssignFactor, minimum);
    SetModifiedFlag(true);
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshErrorValues();
        view->invalidate();
    }
}

void CTESKAdatDoc::addGaussianNoise(double percent, double minimum, std::uint32_t seed) {
    recordChange("Add Gaussian noise", data::UndoRefresh::Values);
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
    recordChange("Add constant", data::UndoRefresh::Values);
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
    recordChange("Downsample data", data::UndoRefresh::Stations);
    count = compactStations([step](int i) { return i % step == 0; });
    afterStationsRemoved();
    return true;
}

void CTESKAdatDoc::cropToRegion(double x1, double x2, double y1, double y2) {
    recordChange("Crop data", data::UndoRefresh::Stations);
    // Written so that a NaN coordinate fails the test.
    count = compactStations(
        [&](int i) { return x1 <= x[i] && x[i] <= x2 && y1 <= y[i] && y[i] <= y2; });
    afterStationsRemoved();
}

bool CTESKAdatDoc::deleteStation(int index) {
    if (index < 0 || index >= count)
        return false;
    recordChange("Delete station", data::UndoRefresh::Stations);
    count = compactStations([index](int i) { return i != index; });
    afterStationsRemoved();
    return true;
}

bool CTESKAdatDoc::toggleLogScale() {
    if (!canToggleLogScale())
        return false;
    recordChange("log scale", data::UndoRefresh::Scale, false);
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

// --- Undo and redo ---

data::StationSnapshot CTESKAdatDoc::snapshot() const {
    const auto n = static_cast<std::ptrdiff_t>(count);
    const auto head = [n](const std::vector<double>& array) {
        return array.size() >= static_cast<size_t>(n)
                   ? std::vector<double>(array.begin(), array.begin() + n)
                   : array;
    };
    data::StationSnapshot copy;
    copy.x = head(x);
    copy.y = head(y);
    copy.data = head(data);
    copy.elevation = head(elevation);
    copy.predicted = hasPredicted ? head(predicted) : predicted;
    copy.error = head(error);
    copy.lineOfStation = lineOfStation;
    copy.predictedBeforeLog = m_predictedBeforeLog;
    copy.xMin = xMin, copy.xMax = xMax, copy.yMin = yMin, copy.yMax = yMax;
    copy.dataMin = dataMin, copy.dataMax = dataMax;
    copy.count = count;
    copy.logScale = logScale;
    return copy;
}

void CTESKAdatDoc::exchangeStations(data::StationSnapshot& other) {
    x.swap(other.x);
    y.swap(other.y);
    data.swap(other.data);
    elevation.swap(other.elevation);
    predicted.swap(other.predicted);
    error.swap(other.error);
    lineOfStation.swap(other.lineOfStation);
    m_predictedBeforeLog.swap(other.predictedBeforeLog);
    std::swap(xMin, other.xMin), std::swap(xMax, other.xMax);
    std::swap(yMin, other.yMin), std::swap(yMax, other.yMax);
    std::swap(dataMin, other.dataMin), std::swap(dataMax, other.dataMax);
    std::swap(count, other.count);
    std::swap(logScale, other.logScale);
}

void CTESKAdatDoc::recordChange(const char* label, data::UndoRefresh refresh, bool modifies) {
    if (history.enabled())
        history.record(label, refresh, modifies, snapshot());
}

void CTESKAdatDoc::takeInRestoredStations(data::UndoRefresh refresh) {
    if (refresh == data::UndoRefresh::Values) {
        if (ValueRefresher* view = firstValueRefresher()) {
            view->refreshMainValues();
            view->refreshErrorValues();
            view->invalidate();
        }
        return;
    }
    // The views rebuild only from data that are ready, as after a read.
    dataReady = count > 0;
    UpdateAllViews(nullptr,
                   refresh == data::UndoRefresh::Scale ? HintNewData : HintStationsChanged);
}

bool CTESKAdatDoc::crossStep(data::EditHistory::Step* step) {
    if (!step)
        return false;
    exchangeStations(step->snapshot);
    SetModifiedFlag(history.modifiedSinceSave());
    takeInRestoredStations(step->refresh);
    return true;
}

bool CTESKAdatDoc::undo() {
    return crossStep(history.stepBack());
}

bool CTESKAdatDoc::redo() {
    return crossStep(history.stepForward());
}
