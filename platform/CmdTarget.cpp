#include "platform/CmdTarget.h"

namespace platform {

void CCmdTarget::OnCommandId(int id, CommandHandler handler) {
    m_commands[id] = std::move(handler);
}

void CCmdTarget::OnCommandRange(int first, int last, RangeHandler handler) {
    m_ranges.push_back(Range{first, last, std::move(handler), nullptr});
}

void CCmdTarget::OnUpdateCommand(int id, UpdateHandler handler) {
    m_updates[id] = std::move(handler);
}

void CCmdTarget::OnUpdateCommandRange(int first, int last, UpdateHandler handler) {
    m_ranges.push_back(Range{first, last, nullptr, std::move(handler)});
}

bool CCmdTarget::OnCmdMsg(int id, CCmdUI* update) {
    if (update != nullptr) {
        if (auto it = m_updates.find(id); it != m_updates.end()) {
            it->second(update);
            return true;
        }
        for (const Range& r : m_ranges) {
            if (r.update && id >= r.first && id <= r.last) {
                r.update(update);
                return true;
            }
        }
        // A command handler without an update handler: the item stays enabled.
        if (m_commands.count(id) != 0)
            return true;
        for (const Range& r : m_ranges)
            if (r.command && id >= r.first && id <= r.last)
                return true;
        return false;
    }
    if (auto it = m_commands.find(id); it != m_commands.end()) {
        it->second();
        return true;
    }
    for (const Range& r : m_ranges) {
        if (r.command && id >= r.first && id <= r.last) {
            r.command(id);
            return true;
        }
    }
    return false;
}

}  // namespace platform
