// The view a video page sits on, reduced to what the page sees of it: it keeps a log of the
// messages it receives, read the way each message is documented (a switch in wParam, a text or
// a double by address, else a number in lParam), so a test compares the log with a table.
#pragma once

#include <QWidget>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "platform/Wnd.h"

namespace corvane::testing {

struct Sent {
    platform::UINT message;
    std::string argument;  // "w1" for a switch, "\"text\"" for a text, "%.1f" or "%d"
    bool operator==(const Sent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Sent& sent) {
    return out << sent.message << ' ' << sent.argument;
}

class PageLogView : public platform::CWnd {
public:
    struct Kinds {
        std::set<platform::UINT> switches, texts, doubles, numbers;
    };

    explicit PageLogView(const Kinds& kinds) {
        AttachWidget(new QWidget);
        auto record = [this](platform::UINT m,
                             std::string (*read)(platform::WPARAM, platform::LPARAM)) {
            OnMessage(m, [this, m, read](platform::WPARAM w, platform::LPARAM l) {
                m_log.push_back({m, read(w, l)});
                return platform::LRESULT{0};
            });
        };
        for (platform::UINT m : kinds.switches)
            record(m, [](platform::WPARAM w, platform::LPARAM) {
                return "w" + std::to_string(static_cast<long long>(w));
            });
        for (platform::UINT m : kinds.texts)
            record(m, [](platform::WPARAM, platform::LPARAM l) {
                return "\"" + std::string(reinterpret_cast<const char*>(l)) + "\"";
            });
        for (platform::UINT m : kinds.doubles)
            record(m, [](platform::WPARAM, platform::LPARAM l) {
                return platform::Format("%.1f", *reinterpret_cast<const double*>(l));
            });
        for (platform::UINT m : kinds.numbers)
            record(m, [](platform::WPARAM, platform::LPARAM l) {
                return std::to_string(static_cast<int>(l));
            });
    }
    ~PageLogView() override { DestroyWindow(); }

    std::vector<Sent> m_log;
};

}  // namespace corvane::testing
