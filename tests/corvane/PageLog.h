// The view a video page sits on, reduced to what the page sees of it: it keeps a log of the
// messages it receives, read the way each message is documented (a switch in wParam, a text or
// a double by address, else a number in lParam), so a test compares the log with a table.
// PageLogTest hosts one page of a family on such a view, with scripted message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "platform/Wnd.h"
#include "resources/corvane/VideoForms.h"
#include "tests/support/BoxScript.h"

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

// A family's numbers are consecutive for each model from `first`; At(offset) is one of them.
template <class Page, class Values>
class PageLogTest : public ::testing::Test {
protected:
    void OpenPage(VideoModel model, platform::UINT first, const PageLogView::Kinds& kinds,
                  const Values& values) {
        m_first = first;
        m_view = std::make_unique<PageLogView>(kinds);
        m_page = std::make_unique<Page>(model);
        m_page->Load(values);
        ASSERT_TRUE(m_page->Create(m_view.get()));
    }
    void TearDown() override {
        if (m_page)
            m_page->DestroyWindow();
    }
    Sent At(int offset, const std::string& argument) const {
        return {m_first + static_cast<platform::UINT>(offset), argument};
    }
    std::string Text(int id) const { return m_page->GetDlgItemText(id); }

    testsupport::BoxScript m_boxes;
    platform::UINT m_first = 0;
    std::unique_ptr<PageLogView> m_view;
    std::unique_ptr<Page> m_page;
};

}  // namespace corvane::testing
