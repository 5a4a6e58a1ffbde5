#include "plot/PictureHistory.h"

#include "data/EditHistory.h"

#include <utility>

PictureState PictureState::of(const ViewState& view) {
    PictureState state;
    state.mainMin = view.mainMin;
    state.mainMax = view.mainMax;
    state.secondMin = view.secondMin;
    state.secondMax = view.secondMax;
    state.regionXMin = view.regionXMin;
    state.regionXMax = view.regionXMax;
    state.regionYMin = view.regionYMin;
    state.regionYMax = view.regionYMax;
    state.secondKind = view.secondKind;
    state.profileStart = view.profileStart;
    state.profileEnd = view.profileEnd;
    state.profileLevel = view.profileLevel;
    state.mainLabel = view.mainLabel;
    state.secondLabel = view.secondLabel;
    state.unitsLabel = view.unitsLabel;
    state.xAxisLabel = view.xAxisLabel;
    state.yAxisLabel = view.yAxisLabel;
    return state;
}

void PictureState::applyTo(ViewState& view) const {
    view.mainMin = mainMin;
    view.mainMax = mainMax;
    view.secondMin = secondMin;
    view.secondMax = secondMax;
    view.regionXMin = regionXMin;
    view.regionXMax = regionXMax;
    view.regionYMin = regionYMin;
    view.regionYMax = regionYMax;
    view.secondKind = secondKind;
    view.profileStart = profileStart;
    view.profileEnd = profileEnd;
    view.profileLevel = profileLevel;
    view.mainLabel = mainLabel;
    view.secondLabel = secondLabel;
    view.unitsLabel = unitsLabel;
    view.xAxisLabel = xAxisLabel;
    view.yAxisLabel = yAxisLabel;
}

bool PictureState::sameRegion(const ViewState& view) const {
    return regionXMin == view.regionXMin && regionXMax == view.regionXMax &&
           regionYMin == view.regionYMin && regionYMax == view.regionYMax;
}

void PictureHistory::recorded(PictureState before) {
    m_redo.clear();
    m_undo.push_back(std::move(before));
    // The document keeps no more steps than this either.
    if (m_undo.size() > data::EditHistory::kMostSteps)
        m_undo.erase(m_undo.begin());
}

std::optional<PictureState> PictureHistory::stepBack(PictureState now) {
    return cross(m_undo, m_redo, std::move(now));
}

std::optional<PictureState> PictureHistory::stepForward(PictureState now) {
    return cross(m_redo, m_undo, std::move(now));
}

void PictureHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

std::optional<PictureState> PictureHistory::cross(std::vector<PictureState>& from,
                                                  std::vector<PictureState>& to, PictureState now) {
    if (from.empty())
        return std::nullopt;
    PictureState other = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(now));
    return other;
}
