#pragma once
// Command routing: every command id has a handler and an update rule that
// enables and checks its menu item, toolbar button and key. A command whose
// rule disables it is not carried out, whichever way it was invoked.

#include <functional>
#include <map>

// What an update rule sets for one command.
class CCmdUI {
public:
    void Enable(bool enabled = true) { m_enabled = enabled; }
    void SetCheck(bool checked = true) {
        m_checked = checked;
        m_checkable = true;
    }
    bool enabled() const { return m_enabled; }
    bool checked() const { return m_checked; }
    // True when the rule sets a check mark at all.
    bool checkable() const { return m_checkable; }

private:
    bool m_enabled = true;
    bool m_checked = false;
    bool m_checkable = false;
};

class CommandTable {
public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<void(CCmdUI&)>;

    // Registers (or replaces) a command. Without a rule it is always enabled.
    void add(int id, Handler handler, UpdateRule rule = {});
    bool contains(int id) const { return m_commands.count(id) != 0; }

    // The state the rule gives now; an unknown command is disabled.
    CCmdUI state(int id) const;
    // Runs the handler when the command is known and enabled; true if it ran.
    bool execute(int id) const;

private:
    struct Command {
        Handler handler;
        UpdateRule rule;
    };
    std::map<int, Command> m_commands;
};
