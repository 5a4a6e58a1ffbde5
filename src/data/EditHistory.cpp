#include "data/EditHistory.h"

#include <algorithm>
#include <utility>

namespace data {

std::size_t StationChange::bytes() const {
    std::size_t total = removed.capacity() * sizeof(int32_t);
    for (const std::vector<double>& array : values)
        total += array.capacity() * sizeof(double);
    return total;
}

void EditHistory::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled)
        clear();
}

void EditHistory::clear() {
    m_steps.clear();
    m_position = 0;
    m_saved = 0;
}

void EditHistory::forgetUnreachable() {
    clear();
    m_saved = -1;
}

void EditHistory::record(std::string label, UndoRefresh refresh, bool modifies,
                         StationChange before) {
    if (!m_enabled)
        return;
    if (m_saved > static_cast<long long>(m_position))
        m_saved = -1; // the saved state was among the undone steps
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_position), m_steps.end());
    m_steps.push_back({std::move(label), refresh, modifies, std::move(before)});
    m_position = m_steps.size();
    dropOldSteps();
}

void EditHistory::dropOldSteps() {
    std::size_t total = bytes();
    std::size_t drop = 0;
    while (drop + 1 < m_steps.size() && total > m_byteBudget) {
        total -= m_steps[drop].change.bytes();
        ++drop;
    }
    if (m_steps.size() - drop > kMostSteps)
        drop = m_steps.size() - kMostSteps;
    if (drop == 0)
        return;
    m_steps.erase(m_steps.begin(), m_steps.begin() + static_cast<std::ptrdiff_t>(drop));
    m_position -= drop;
    m_saved = m_saved < static_cast<long long>(drop) ? -1 : m_saved - static_cast<long long>(drop);
}

std::string EditHistory::undoLabel() const {
    return canUndo() ? m_steps[m_position - 1].label : std::string();
}

std::string EditHistory::redoLabel() const {
    return canRedo() ? m_steps[m_position].label : std::string();
}

EditHistory::Step* EditHistory::stepBack() {
    if (!canUndo())
        return nullptr;
    return &m_steps[--m_position];
}

EditHistory::Step* EditHistory::stepForward() {
    if (!canRedo())
        return nullptr;
    return &m_steps[m_position++];
}

void EditHistory::markSaved() {
    m_saved = static_cast<long long>(m_position);
}

bool EditHistory::modifiedSinceSave() const {
    if (m_saved < 0)
        return true;
    const auto saved = static_cast<std::size_t>(m_saved);
    const std::size_t from = std::min(saved, m_position), to = std::max(saved, m_position);
    return std::any_of(m_steps.begin() + static_cast<std::ptrdiff_t>(from),
                       m_steps.begin() + static_cast<std::ptrdiff_t>(to),
                       [](const Step& step) { return step.modifies; });
}

std::size_t EditHistory::bytes() const {
    std::size_t total = 0;
    for (const Step& step : m_steps)
        total += step.change.bytes();
    return total;
}

} // namespace data
