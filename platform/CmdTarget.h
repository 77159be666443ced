// Command routing, in place of the framework's message maps for commands.
//
// A command (a menu item, or a control id routed like one) carries an id. Each command target
// keeps handlers by id and by id range; the frame routes a command from the active view to
// its document, then to the frame itself and last to the application. The same route decides
// whether a menu item is enabled: a target's update handler sets the state, and an item that
// no target handles at all is disabled, as the framework did.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(bool enable = true) {
        m_enabled = enable;
        m_enableChanged = true;
    }
    virtual void SetCheck(int check = 1) { m_checked = check; }
    virtual void SetText(const std::string& text) {
        m_text = text;
        m_textChanged = true;
    }

    int m_nID;
    bool m_enabled = true;
    bool m_enableChanged = false;
    int m_checked = 0;
    std::string m_text;
    bool m_textChanged = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    using CommandHandler = std::function<void()>;
    using RangeHandler = std::function<void(int id)>;
    using UpdateHandler = std::function<void(CCmdUI*)>;

    void OnCommandId(int id, CommandHandler handler);
    void OnCommandRange(int first, int last, RangeHandler handler);
    void OnUpdateCommand(int id, UpdateHandler handler);
    void OnUpdateCommandRange(int first, int last, UpdateHandler handler);

    // With update == nullptr, runs the command's handler; otherwise runs its update handler,
    // or, when there is only a command handler, leaves the item enabled. Returns true when
    // this target handles the id.
    virtual bool OnCmdMsg(int id, CCmdUI* update);

private:
    struct Range {
        int first;
        int last;
        RangeHandler command;
        UpdateHandler update;
    };
    std::map<int, CommandHandler> m_commands;
    std::map<int, UpdateHandler> m_updates;
    std::vector<Range> m_ranges;
};

}  // namespace platform
