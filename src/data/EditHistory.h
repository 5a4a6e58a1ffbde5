#pragma once
// The undo and redo history of the data edits: for every step, the label of
// the edit and what it changed in the station set, as it is on the other
// side of it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace data {

// How the views take in a restored state, as they took in the edit itself.
enum class UndoRefresh {
    Values,   // values changed in place: the stations (and triangulation) stay
    Stations, // stations were removed or come back: region and labels stay
    Scale,    // the log-scale toggle: everything is shown anew
};

// The document's per-station arrays, as StationChange numbers them.
// Line is the survey line of each station (an index into lineNames).
enum class StationArray : int { X, Y, Elevation, Data, Error, Predicted, PredictedBeforeLog, Line };
constexpr int kStationArrays = 8;
constexpr unsigned arrayBit(StationArray array) {
    return 1u << static_cast<int>(array);
}

// What an edit changes in the document's station set, held as it is on the
// other side of the edit: the state before it while the step is done, the
// state after it while it is undone. The extents, the count and the log
// scale are always held; of the arrays only what the edit changes.
struct StationChange {
    enum class Kind {
        Values,   // the held arrays rewritten: their first `count` entries
                  // (the predicted values kept aside by the log scale: whole)
        OneValue, // one entry, at `index`, of the one held array
        Removal,  // the stations at `removed` (ascending positions in the
                  // larger set) taken out: their entries in each held array
    };
    Kind kind = Kind::Values;
    unsigned arrays = 0; // arrayBit of each held array
    std::vector<double> values[kStationArrays];
    std::vector<int32_t> removed;
    int index = 0;

    double xMin = 0, xMax = 0, yMin = 0, yMax = 0, dataMin = 0, dataMax = 0;
    int count = 0;
    bool logScale = false;

    bool holds(StationArray array) const { return (arrays & arrayBit(array)) != 0; }
    std::vector<double>& of(StationArray array) { return values[static_cast<int>(array)]; }
    // Bytes held by the arrays.
    std::size_t bytes() const;
};

// A bounded list of steps with a position between the undone and the done
// ones. Each step holds one change, which undoing and redoing exchange with
// the document's state.
class EditHistory {
public:
    struct Step {
        std::string label;   // the edit's name as its menu shows it, e.g. "Add constant"
        UndoRefresh refresh; // how the views take in a change across this step
        bool modifies;       // false for the log-scale toggle, which keeps the file unchanged
        StationChange change;
    };

    // The oldest steps go first once there are more steps than this, or once
    // the changes together hold more bytes than kByteBudget (over a hundred
    // steps that rewrite one array of a million stations fit); the newest
    // step is always kept.
    static constexpr std::size_t kMostSteps = 100;
    static constexpr std::size_t kByteBudget = std::size_t(1) << 30;

    explicit EditHistory(std::size_t byteBudget = kByteBudget) : m_byteBudget(byteBudget) {}

    // Recording is off until a window turns it on; batch runs keep no copies.
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }

    // Forgets every step; the current state is the saved one.
    void clear();
    // Forgets every step after an edit that could not be recorded: no state
    // before it can be reached, the saved one included.
    void forgetUnreachable();
    // Adds a done step after the position, dropping the undone steps.
    void record(std::string label, UndoRefresh refresh, bool modifies, StationChange before);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    // The labels of the steps that undo and redo would cross; empty when none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    // Moves the position over one step and returns it; the caller exchanges
    // the step's change with the current state. nullptr when impossible.
    Step* stepBack();
    Step* stepForward();

    // The current state is the one in the file now.
    void markSaved();
    // Whether any step that modifies lies between the saved state and the
    // position; true when the saved state has left the history.
    bool modifiedSinceSave() const;

    std::size_t stepCount() const { return m_steps.size(); }
    std::size_t bytes() const;

private:
    void dropOldSteps();

    std::vector<Step> m_steps;
    std::size_t m_position = 0; // steps before it are done
    long long m_saved = 0;      // position of the saved state; -1 once unreachable
    std::size_t m_byteBudget;
    bool m_enabled = false;
};

} // namespace data
