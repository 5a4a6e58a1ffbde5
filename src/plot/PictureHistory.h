#pragma once
// What a data change can alter in the picture besides the data: the colour
// ranges, the region and labels, and what the second plot shows. The view
// keeps it for every undo step, so that undo and redo bring back the picture
// of the other side of the step together with its data.

#include "plot/ViewState.h"

#include <optional>
#include <string>
#include <vector>

struct PictureState {
    double mainMin = 0, mainMax = 0, secondMin = 0, secondMax = 0;
    double regionXMin = 0, regionXMax = 0, regionYMin = 0, regionYMax = 0;
    PlotKind secondKind = PlotKind::None;
    IntPoint profileStart, profileEnd;
    int profileLevel = kNoProfileLevel;
    std::string mainLabel, secondLabel, unitsLabel, xAxisLabel, yAxisLabel;

    static PictureState of(const ViewState& view);
    // Writes the fields back; the caller rebuilds what depends on them.
    void applyTo(ViewState& view) const;
    bool sameRegion(const ViewState& view) const;
};

// The pictures on the other side of the document's undo and redo steps, in
// step with them: one is kept as a change is recorded, and each crossing
// exchanges the current picture with the step's.
class PictureHistory {
public:
    // A change is being recorded: `before` is the picture it starts from.
    void recorded(PictureState before);
    // Undo or redo crossed a step away from `now`: the picture to show, if kept.
    std::optional<PictureState> stepBack(PictureState now);
    std::optional<PictureState> stepForward(PictureState now);
    void clear();

private:
    static std::optional<PictureState> cross(std::vector<PictureState>& from,
                                             std::vector<PictureState>& to, PictureState now);
    std::vector<PictureState> m_undo, m_redo;
};
