// Undo and redo of the data edits: each edit records what it changes, and
// crossing a step exchanges that with the station set.

#include "data/CTESKAdatDoc.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <new>
#include <utility>

void CTESKAdatDoc::recordStep(const char* label, data::UndoRefresh refresh, bool modifies,
                              const std::function<void(data::StationChange&)>& fill) {
    if (!history.enabled())
        return;
    try {
        data::StationChange change;
        change.xMin = xMin, change.xMax = xMax, change.yMin = yMin, change.yMax = yMax;
        change.dataMin = dataMin, change.dataMax = dataMax;
        change.count = count;
        change.logScale = logScale;
        fill(change);
        history.record(label, refresh, modifies, std::move(change));
        if (onChangeRecording)
            onChangeRecording();
    } catch (const std::bad_alloc&) {
        // The steps before this one would no longer lead back to their states.
        history.forgetUnreachable();
        AfxMessageBox(std::string("Error: not enough memory to keep ") + label +
                          " for undo.\nThe change is made; it cannot be undone.",
                      MB_ICONEXCLAMATION);
    }
}

void CTESKAdatDoc::recordValues(const char* label, unsigned arrays, data::UndoRefresh refresh,
                                bool modifies) {
    recordStep(label, refresh, modifies, [&](data::StationChange& change) {
        change.arrays = arrays;
        for (int a = 0; a < data::kStationArrays; ++a) {
            const auto array = static_cast<data::StationArray>(a);
            if (!change.holds(array))
                continue;
            const std::vector<double>& values = stationArray(array);
            if (array == data::StationArray::PredictedBeforeLog)
                change.values[a] = values;
            else
                change.values[a].assign(values.begin(), values.begin() + count);
        }
    });
}

void CTESKAdatDoc::exchangeValues(data::StationChange& change) {
    for (int a = 0; a < data::kStationArrays; ++a) {
        const auto array = static_cast<data::StationArray>(a);
        if (!change.holds(array))
            continue;
        std::vector<double>& values = stationArray(array);
        std::vector<double>& held = change.values[a];
        if (array == data::StationArray::PredictedBeforeLog)
            values.swap(held);
        else
            std::swap_ranges(held.begin(), held.end(), values.begin());
    }
}

namespace {

// Puts the entries of the removed stations (positions `removed`, ascending,
// in the set of `total` stations) back between the `kept` entries at the
// front of `values`, from the back to the front, so that every entry moves
// once. `values` holds `total` entries.
template <class T>
void reinsertEntries(std::vector<T>& values, size_t kept, size_t total,
                     const std::vector<int32_t>& removed, const std::vector<T>& removedValues) {
    size_t next = removed.size(), from = kept;
    for (size_t i = total; i-- > 0 && next > 0;) {
        if (static_cast<size_t>(removed[next - 1]) == i)
            values[i] = removedValues[--next];
        else
            values[i] = values[--from];
    }
}

} // namespace

void CTESKAdatDoc::bringBackStations(data::StationChange& change) {
    const auto total = static_cast<size_t>(change.count);
    // Room first, so that a failure leaves the set as it is.
    for (int a = 0; a < data::kStationArrays; ++a) {
        std::vector<double>& values = stationArray(static_cast<data::StationArray>(a));
        if (change.holds(static_cast<data::StationArray>(a)) && values.size() < total)
            values.resize(total);
    }
    for (int a = 0; a < data::kStationArrays; ++a) {
        if (change.holds(static_cast<data::StationArray>(a)))
            reinsertEntries(stationArray(static_cast<data::StationArray>(a)),
                            static_cast<size_t>(count), total, change.removed, change.values[a]);
    }
}

void CTESKAdatDoc::exchangeChange(data::StationChange& change, bool undoing) {
    switch (change.kind) {
    case data::StationChange::Kind::Values:
        exchangeValues(change);
        break;
    case data::StationChange::Kind::OneValue:
        std::swap(change.of(data::StationArray::Error)[0],
                  stationArray(data::StationArray::Error)[static_cast<size_t>(change.index)]);
        break;
    case data::StationChange::Kind::Removal:
        if (undoing)
            bringBackStations(change);
        else
            takeOutStationsAgain(change);
        break;
    }
    std::swap(xMin, change.xMin), std::swap(xMax, change.xMax);
    std::swap(yMin, change.yMin), std::swap(yMax, change.yMax);
    std::swap(dataMin, change.dataMin), std::swap(dataMax, change.dataMax);
    std::swap(count, change.count);
    std::swap(logScale, change.logScale);
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

bool CTESKAdatDoc::crossStep(data::EditHistory::Step* step, bool undoing) {
    if (!step)
        return false;
    try {
        exchangeChange(step->change, undoing);
    } catch (const std::bad_alloc&) {
        if (undoing)
            history.stepForward();
        else
            history.stepBack();
        AfxMessageBox("Error: not enough memory to undo " + step->label + ".", MB_ICONHAND);
        return false;
    }
    SetModifiedFlag(history.modifiedSinceSave());
    takeInRestoredStations(step->refresh);
    return true;
}

bool CTESKAdatDoc::undo() {
    return crossStep(history.stepBack(), true);
}

bool CTESKAdatDoc::redo() {
    return crossStep(history.stepForward(), false);
}
