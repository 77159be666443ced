// The view a video page sits on, reduced to what the page sees of it: the messages it
// receives, written down as a log in the order they came. Texts and doubles arrive by address
// and are read during the call, as a view does.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "platform/Wnd.h"
#include "resources/corvane/VideoForms.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {

class VideoPageHost : public platform::CWnd {
public:
    enum class Kind {
        Value,   // lParam
        Text,    // wParam, then the text at lParam
        Micros,  // the double at lParam, in seconds, logged in microseconds
        Switch,  // wParam
        Query,   // lParam points at {int32 lines; double delay}, filled when answering
    };
    struct Message {
        platform::UINT number;
        const char* name;
        Kind kind;
    };
    struct Timing {
        int lines;
        double delay;
    };

    explicit VideoPageHost(const std::vector<Message>& messages) {
        AttachWidget(new QWidget);
        for (const Message& m : messages)
            if (m.number != 0)
                OnMessage(m.number, [this, m](platform::WPARAM w, platform::LPARAM l) {
                    return Receive(m, w, l);
                });
    }
    ~VideoPageHost() override { DestroyWindow(); }

    // A message sent back to `page` with the same number once it has been logged, as a view
    // answers a stored format.
    void EchoTo(platform::CWnd* page, platform::UINT number) {
        m_page = page;
        m_echo = number;
    }
    // The live timing the query answers; without one the query answers 0.
    void AnswerQuery(int lines, double delay) {
        m_answer = true;
        m_timing = {lines, delay};
    }

    std::vector<std::string> TakeLog() {
        std::vector<std::string> log;
        log.swap(m_log);
        return log;
    }

    std::vector<std::string> m_log;

private:
    platform::LRESULT Receive(const Message& m, platform::WPARAM w, platform::LPARAM l) {
        const std::string name = m.name;
        const int wValue = static_cast<int>(static_cast<platform::LPARAM>(w));
        switch (m.kind) {
            case Kind::Value:
                m_log.push_back(name + " " + std::to_string(static_cast<int>(l)));
                break;
            case Kind::Text:
                m_log.push_back(name + " " + std::to_string(wValue) + " " +
                                reinterpret_cast<const char*>(l));
                break;
            case Kind::Micros:
                m_log.push_back(
                    name + " " +
                    platform::Format("%.6f", *reinterpret_cast<const double*>(l) * 1e6));
                break;
            case Kind::Switch:
                m_log.push_back(name + " " + std::to_string(wValue));
                break;
            case Kind::Query: {
                m_log.push_back(name);
                if (!m_answer)
                    return 0;
                auto* timing = reinterpret_cast<Timing*>(l);
                *timing = m_timing;
                return 1;
            }
        }
        if (m_page != nullptr && m.number == m_echo)
            m_page->SendMessage(m_echo, 0, 0);
        return 0;
    }

    platform::CWnd* m_page = nullptr;
    platform::UINT m_echo = 0;
    bool m_answer = false;
    Timing m_timing{};
};

inline const char* VideoModelName(VideoModel model) {
    static const char* const names[] = {"Oltra", "Yarlo", "Sormet", "Ulmeth"};
    return names[VideoModelIndex(model)];
}

// A page of a video model on its host, opened again for each case of a table.
template <class Page, class Values>
class VideoPageFixture : public ::testing::Test {
protected:
    // `echo`: the number the host sends back to the page after logging it (0: none).
    void OpenPage(VideoModel model, const Values& values,
                  const std::vector<VideoPageHost::Message>& messages, platform::UINT echo = 0) {
        Close();
        m_host = std::make_unique<VideoPageHost>(messages);
        m_page = std::make_unique<Page>(model);
        m_page->Load(values);
        if (echo != 0)
            m_host->EchoTo(m_page.get(), echo);
        ASSERT_TRUE(m_page->Create(m_host.get()));
    }
    void Close() {
        if (m_page)
            m_page->DestroyWindow();
        m_page.reset();
    }
    void TearDown() override { Close(); }
    std::vector<std::string> TakeLog() { return m_host->TakeLog(); }

    testsupport::BoxScript m_boxes;
    std::unique_ptr<VideoPageHost> m_host;
    std::unique_ptr<Page> m_page;
};

}  // namespace corvane::testing
