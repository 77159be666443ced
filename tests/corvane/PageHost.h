// A stand-in for a module view that hosts one tab page: it records what the page sends, as
// "number wParam lParam" lines (a delay sent by address as its value in microseconds), and
// answers the messages a test gives it answers for.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Numbers.h"
#include "resources/corvane/VideoForms.h"

namespace corvane::testing {

class PageHost : public platform::CDialog {
public:
    PageHost() : platform::CDialog(Template()) {}

    static const platform::DialogTemplate& Template() {
        static const platform::DialogTemplate t{
            990, "Host", videoform::kPageCx + 40, videoform::kPageCy + 60, {}};
        return t;
    }

    void Record(platform::UINT message) {
        OnMessage(message, [this, message](platform::WPARAM w, platform::LPARAM l) {
            m_log.push_back(platform::Format("%u %ld %ld", message,
                                             static_cast<long>(static_cast<platform::LPARAM>(w)),
                                             static_cast<long>(l)));
            return platform::LRESULT{0};
        });
    }
    void RecordDelay(platform::UINT message) {
        OnMessage(message, [this, message](platform::WPARAM w, platform::LPARAM l) {
            const double seconds = *reinterpret_cast<const double*>(l);
            m_log.push_back(platform::Format("%u %ld %.4f", message,
                                             static_cast<long>(static_cast<platform::LPARAM>(w)),
                                             seconds * 1e6));
            return platform::LRESULT{0};
        });
    }
    // What the page sent since the last call.
    std::vector<std::string> Take() { return std::exchange(m_log, {}); }

private:
    std::vector<std::string> m_log;
};

// A test that hosts one page at a time: NewHost replaces the last page and host.
template <class PageT>
class HostedPageTest : public ::testing::Test {
protected:
    PageHost& NewHost() {
        Close();
        m_host = std::make_unique<PageHost>();
        EXPECT_TRUE(m_host->Create(nullptr));
        return *m_host;
    }
    void Close() {
        if (m_page)
            m_page->DestroyWindow();
        m_page.reset();
        if (m_host)
            m_host->DestroyWindow();
        m_host.reset();
    }
    void TearDown() override { Close(); }
    PageT& Page() { return *m_page; }

    std::unique_ptr<PageHost> m_host;
    std::unique_ptr<PageT> m_page;
};

// Saves a picture of a page under the build tree's screenshots/, to be looked at.
inline void SavePagePicture(platform::CDialog& page, const std::string& name) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    page.GetWidget()->grab().save(QString(QUARN_SCREENSHOT_DIR) + "/" +
                                  QString::fromStdString(name) + ".png");
}

}  // namespace corvane::testing
