#include "platform/CommandTable.h"

void CommandTable::add(int id, Handler handler, UpdateRule rule) {
    m_commands[id] = Command{std::move(handler), std::move(rule)};
}

CCmdUI CommandTable::state(int id) const {
    CCmdUI ui;
    const auto found = m_commands.find(id);
    if (found == m_commands.end())
        ui.Enable(false);
    else if (found->second.rule)
        found->second.rule(ui);
    return ui;
}

bool CommandTable::execute(int id) const {
    if (!state(id).enabled())
        return false;
    // A copy: the handler may re-register commands while it runs.
    const Handler handler = m_commands.at(id).handler;
    if (handler)
        handler();
    return true;
}
