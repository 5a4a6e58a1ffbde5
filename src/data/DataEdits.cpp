// The editing operations of the document: values changed in place, stations
// removed, and the log-scale toggle. Each records its undo step first and
// then works in one pass over the arrays; removals move the kept stations
// towards the front.

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

unsigned CTESKAdatDoc::arraysInUse() const {
    using data::StationArray;
    unsigned arrays = data::arrayBit(StationArray::X) | data::arrayBit(StationArray::Y) |
                      data::arrayBit(StationArray::Elevation) | data::arrayBit(StationArray::Data) |
                      data::arrayBit(StationArray::Error);
    if (hasPredicted)
        arrays |= data::arrayBit(StationArray::Predicted);
    if (!m_predictedBeforeLog.empty())
        arrays |= data::arrayBit(StationArray::PredictedBeforeLog);
    if (!lineOfStation.empty())
        arrays |= data::arrayBit(StationArray::Line);
    return arrays;
}

std::vector<double>& CTESKAdatDoc::stationArray(data::StationArray array) {
    using data::StationArray;
    switch (array) {
    case StationArray::X:
        return x;
    case StationArray::Y:
        return y;
    case StationArray::Elevation:
        return elevation;
    case StationArray::Data:
        return data;
    case StationArray::Error:
        return error;
    case StationArray::Predicted:
        return predicted;
    case StationArray::Line:
        return lineOfStation;
    case StationArray::PredictedBeforeLog:
        break;
    }
    return m_predictedBeforeLog;
}

template <class Keep> int CTESKAdatDoc::compactStations(unsigned arrays, Keep keep) {
    std::vector<double>* held[data::kStationArrays];
    int heldCount = 0;
    for (int a = 0; a < data::kStationArrays; ++a)
        if (arrays & (1u << a))
            held[heldCount++] = &stationArray(static_cast<data::StationArray>(a));

    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!keep(i))
            continue;
        if (kept != i)
            for (int a = 0; a < heldCount; ++a)
                (*held[a])[kept] = (*held[a])[i];
        ++kept;
    }
    return kept;
}

template <class Keep> void CTESKAdatDoc::removeStations(const char* label, Keep keep) {
    const unsigned arrays = arraysInUse();
    recordStep(label, data::UndoRefresh::Stations, true, [&](data::StationChange& change) {
        change.kind = data::StationChange::Kind::Removal;
        change.arrays = arrays;
        int removed = 0;
        for (int i = 0; i < count; ++i)
            removed += keep(i) ? 0 : 1;
        change.removed.reserve(static_cast<size_t>(removed));
        for (int i = 0; i < count; ++i)
            if (!keep(i))
                change.removed.push_back(i);
        for (int a = 0; a < data::kStationArrays; ++a) {
            if (!(arrays & (1u << a)))
                continue;
            const std::vector<double>& from = stationArray(static_cast<data::StationArray>(a));
            std::vector<double>& to = change.values[a];
            to.reserve(change.removed.size());
            for (int32_t i : change.removed)
                to.push_back(from[static_cast<size_t>(i)]);
        }
    });
    count = compactStations(arrays, keep);
    afterStationsRemoved();
}

void CTESKAdatDoc::takeOutStationsAgain(const data::StationChange& change) {
    size_t next = 0;
    count = compactStations(change.arrays, [&](int i) {
        if (next < change.removed.size() && change.removed[next] == i) {
            ++next;
            return false;
        }
        return true;
    });
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
    recordValues("Assign standard deviation", data::arrayBit(data::StationArray::Error),
                 data::UndoRefresh::Values);
    setErrors(percent * kAssignFactor, minimum);
    SetModifiedFlag(true);
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshErrorValues();
        view->invalidate();
    }
}

void CTESKAdatDoc::addGaussianNoise(double percent, double minimum, std::uint32_t seed) {
    recordValues("Add Gaussian noise",
                 data::arrayBit(data::StationArray::Data) |
                     data::arrayBit(data::StationArray::Error),
                 data::UndoRefresh::Values);
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
    recordValues("Add constant", data::arrayBit(data::StationArray::Data),
                 data::UndoRefresh::Values);
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

bool CTESKAdatDoc::changeError(int index, double newError) {
    if (index < 0 || index >= count || newError == error[static_cast<size_t>(index)])
        return false;
    recordStep("Change error", data::UndoRefresh::Values, true, [&](data::StationChange& change) {
        change.kind = data::StationChange::Kind::OneValue;
        change.arrays = data::arrayBit(data::StationArray::Error);
        change.index = index;
        change.of(data::StationArray::Error).assign(1, error[static_cast<size_t>(index)]);
    });
    error[static_cast<size_t>(index)] = newError;
    SetModifiedFlag(true);
    if (ValueRefresher* view = firstValueRefresher()) {
        view->refreshErrorValues();
        view->invalidate();
    }
    return true;
}

bool CTESKAdatDoc::downsample(int step) {
    if (step < 1 || count <= 0)
        return false;
    removeStations("Downsample data", [step](int i) { return i % step == 0; });
    return true;
}

void CTESKAdatDoc::cropToRegion(double x1, double x2, double y1, double y2) {
    // Written so that a NaN coordinate fails the test.
    removeStations("Crop data",
                   [&](int i) { return x1 <= x[i] && x[i] <= x2 && y1 <= y[i] && y[i] <= y2; });
}

bool CTESKAdatDoc::deleteStation(int index) {
    if (index < 0 || index >= count)
        return false;
    removeStations("Delete station", [index](int i) { return i != index; });
    return true;
}

bool CTESKAdatDoc::toggleLogScale() {
    if (!canToggleLogScale())
        return false;
    const bool predictedToo = hasPredicted;
    recordValues("log scale",
                 data::arrayBit(data::StationArray::Data) |
                     (predictedToo ? data::arrayBit(data::StationArray::Predicted) : 0u) |
                     data::arrayBit(data::StationArray::PredictedBeforeLog),
                 data::UndoRefresh::Scale, false);
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
