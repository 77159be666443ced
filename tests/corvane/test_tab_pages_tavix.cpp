// The Tavix pages inside their window: what each control sends, the links to channel 1, and
// the page's own writes, which must never come back as the operator's.
#include <utility>

#include "corvane/modules/common/AudioFrequencies.h"
#include "corvane/modules/tavix/TavixMessages.h"
#include "corvane/pages/audio/AudioEntryText.h"
#include "corvane/pages/tavix/TavixAudioTables.h"
#include "platform/MessageBox.h"
#include "tests/corvane/TavixFixture.h"

namespace corvane::testing {
namespace {

using Sent = std::pair<int, int>;  // channel, value

class TavixPages : public TavixFixture {
protected:
    // Records every message of `message` on its way to the document's `set`, reading the
    // arguments as the message is documented (the amplitude's value comes in wParam), not
    // through the table the page and the view share.
    void Record(const ChannelMessage& message, void (CTavixDoc::*set)(int channel, int value),
                bool valueInWParam = false) {
        m_view->OnMessage(
            message.number, [this, set, valueInWParam](platform::WPARAM w, platform::LPARAM l) {
                const int wValue = static_cast<int>(static_cast<platform::LPARAM>(w));
                const int lValue = static_cast<int>(l);
                const Sent sent = valueInWParam ? Sent{lValue, wValue} : Sent{wValue, lValue};
                m_sent.push_back(sent);
                (Doc()->*set)(sent.first, sent.second);
                return platform::LRESULT{0};
            });
    }
    void RecordFrequency() { Record(kTavixFrequencyMessage, &CTavixDoc::SetFrequency); }
    void RecordAmplitude() { Record(kTavixAmplitudeMessage, &CTavixDoc::SetAmplitude, true); }
    void RecordClick() { Record(kTavixClickMessage, &CTavixDoc::SetClick); }
    void OpenWindow() {
        m_view = Open();
        ASSERT_NE(m_view, nullptr);
    }
    CTavixView* m_view = nullptr;
    std::vector<Sent> m_sent;
};

TEST(TavixFrequencyList, TextRuleAndTableAgreeForEveryEntry) {
    const platform::DialogTemplate& page = TavixFrequencyPageTemplate();
    const auto& items = page.controls[1].items;
    ASSERT_EQ(items.size(), 32u);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(HertzOfEntryText(items[static_cast<size_t>(i)]), AudioFrequencyOfIndex(i))
            << items[static_cast<size_t>(i)];
        EXPECT_EQ(AudioFrequencyIndex(AudioFrequencyOfIndex(i)), i);
    }
    EXPECT_EQ(HertzOfEntryText("1.2 kHz"), 1200);
    EXPECT_EQ(AudioFrequencyIndex(440), -1);
    EXPECT_EQ(AudioFrequencyOfIndex(32), -1);
}

TEST_F(TavixPages, FrequencyChoicesSendHertz) {
    OpenWindow();
    RecordFrequency();
    auto& page = m_view->m_frequencyPage;
    page.ChooseComboItem(1014, 14);  // 1.2 kHz
    page.ChooseComboItem(1015, 0);   // Inactive
    page.ChooseComboItem(1016, 1);   // Silence
    page.ChooseComboItem(1016, 1);   // the same entry again is no change
    EXPECT_EQ(m_sent, (std::vector<Sent>{{0, 1200}, {1, -1}, {2, 0}}));
    EXPECT_EQ(Doc()->m_frequency[0], 1200);
    EXPECT_TRUE(Doc()->m_frequency[0].Changed());
    EXPECT_FALSE(Doc()->m_frequency[3].Changed());
    EXPECT_TRUE(m_view->IsDlgItemEnabled(IDC_MODULE_APPLY));
}

TEST_F(TavixPages, LinkCopiesChannelOneAndFollowsItInAscendingOrder) {
    OpenWindow();
    RecordFrequency();
    auto& page = m_view->m_frequencyPage;
    page.ChooseComboItem(1014, 22);  // 4.8 kHz
    m_sent.clear();
    ASSERT_TRUE(page.ClickButton(1287));  // link channel 5
    EXPECT_EQ(m_sent, (std::vector<Sent>{{4, 4800}}));
    EXPECT_EQ(page.GetCurSel(1018), 22);
    EXPECT_FALSE(page.IsDlgItemEnabled(1018));

    page.ClickButton(1287);  // unlinking sends nothing and leaves the value
    page.ClickButton(1284);  // channel 2
    page.ClickButton(1289);  // channel 7
    m_sent.clear();
    page.ChooseComboItem(1014, 9);  // 500 Hz
    EXPECT_EQ(m_sent, (std::vector<Sent>{{0, 500}, {1, 500}, {6, 500}}));
    EXPECT_TRUE(page.IsDlgItemEnabled(1018));
    EXPECT_EQ(page.GetCurSel(1018), 22);
    EXPECT_EQ(page.GetCurSel(1020), 9);
}

TEST_F(TavixPages, LinkSendsNothingWhileChannelOneShowsNoEntry) {
    m_sim->SetReplyOverride("OUTP:AUD:CHAN1:FREQ?", "440");
    m_sim->SetReplyOverride("OUTP:AUD:CHAN1:CLIC?", "9");
    OpenWindow();
    RecordFrequency();
    RecordClick();
    EXPECT_EQ(m_view->m_frequencyPage.GetCurSel(1014), -1);
    EXPECT_EQ(m_view->m_clickPage.GetCurSel(1024), -1);
    m_view->m_frequencyPage.ClickButton(1285);
    m_view->m_clickPage.ClickButton(1285);
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(m_view->m_frequencyPage.GetCurSel(1016), 13);  // left as it was
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(TavixPages, ClickChoicesSendSecondsAndLink) {
    OpenWindow();
    RecordClick();
    auto& page = m_view->m_clickPage;
    page.ClickButton(1290);         // link channel 8
    page.ChooseComboItem(1024, 3);  // 3 Sec
    page.ChooseComboItem(1032, 0);  // channel 2 Off: already Off, no change
    page.ChooseComboItem(1033, 4);  // channel 3: 4 Sec
    EXPECT_EQ(m_sent, (std::vector<Sent>{{7, 0}, {0, 3}, {7, 3}, {2, 4}}));
    EXPECT_EQ(Doc()->m_click[7], 3);
}

TEST_F(TavixPages, EveryTypedAmplitudeTextIsSent) {
    OpenWindow();
    RecordAmplitude();
    auto& page = m_view->m_amplitudePage;
    page.TypeText(1019, "-");
    page.TypeText(1019, "-1");
    page.TypeText(1019, "-12");
    EXPECT_EQ(m_sent, (std::vector<Sent>{{4, 0}, {4, -1}, {4, -12}}));
    EXPECT_EQ(Doc()->m_amplitude[4], -12);
    EXPECT_EQ(page.m_amplitude[4], -12);

    m_sent.clear();
    ASSERT_TRUE(page.SpinBy(1027, 1));  // the up arrow raises by 1
    EXPECT_EQ(page.GetDlgItemText(1019), "-11");
    EXPECT_EQ(m_sent, (std::vector<Sent>{{4, -11}}));
}

TEST_F(TavixPages, RefusedAmplitudeIsPutBackInFieldAndSpin) {
    OpenWindow();
    auto& page = m_view->m_amplitudePage;
    m_boxes.Expect("Amplitude must be within\n-60 to 0 [dBFS]",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
    page.TypeText(1016, "-70");
    EXPECT_EQ(m_boxes.Records().size(), 1u);
    EXPECT_EQ(page.GetDlgItemText(1016), "-20");
    EXPECT_EQ(page.GetPos(1024), -20);
    EXPECT_EQ(page.GetFocusId(), 1016);
    EXPECT_EQ(Doc()->m_amplitude[1], -20);
    EXPECT_FALSE(Doc()->m_amplitude[1].Changed());
    EXPECT_TRUE(Doc()->IsModified());  // a refused value still counts as a change

    // Putting the value back sent nothing: the channel stays unflagged after more typing elsewhere.
    page.TypeText(1015, "-3");
    EXPECT_FALSE(Doc()->m_amplitude[1].Changed());
    EXPECT_TRUE(Doc()->m_amplitude[0].Changed());
}

TEST_F(TavixPages, LinkedAmplitudesFollowChannelOne) {
    Seed("OUTP:AUD:CHAN1:AMPL", "-6");
    OpenWindow();
    RecordAmplitude();
    auto& page = m_view->m_amplitudePage;
    page.ClickButton(1285);  // channel 3
    EXPECT_EQ(page.GetDlgItemText(1017), "-6");
    EXPECT_FALSE(page.IsDlgItemEnabled(1017));
    EXPECT_FALSE(page.IsDlgItemEnabled(1025));
    EXPECT_EQ(Doc()->m_amplitude[2], -6);
    page.ClickButton(1288);  // channel 6
    m_sent.clear();
    page.TypeText(1015, "-9");
    EXPECT_EQ(m_sent, (std::vector<Sent>{{0, -9}, {2, -9}, {5, -9}}));

    // A value the document refuses is not passed on.
    m_sent.clear();
    m_boxes.ExpectAny(platform::IDOK);
    page.TypeText(1015, "5");
    EXPECT_EQ(m_sent, (std::vector<Sent>{{0, 5}}));
    EXPECT_EQ(page.GetDlgItemText(1017), "-9");

    page.ClickButton(1285);
    EXPECT_TRUE(page.IsDlgItemEnabled(1017));
    EXPECT_TRUE(page.IsDlgItemEnabled(1025));
}

TEST_F(TavixPages, LinksStartUncheckedInEveryNewWindow) {
    OpenWindow();
    m_view->m_frequencyPage.ClickButton(1284);
    m_view->m_amplitudePage.ClickButton(1284);
    m_boxes.ExpectAny(platform::IDNO);
    Frame()->Children().front()->OnClose();
    OpenWindow();
    for (int id = 1284; id <= 1290; ++id) {
        EXPECT_EQ(m_view->m_frequencyPage.IsDlgButtonChecked(id), 0);
        EXPECT_EQ(m_view->m_amplitudePage.IsDlgButtonChecked(id), 0);
        EXPECT_EQ(m_view->m_clickPage.IsDlgButtonChecked(id), 0);
    }
    EXPECT_TRUE(m_view->m_frequencyPage.IsDlgItemEnabled(1015));
}

TEST_F(TavixPages, OwnWritesAndTabSwitchesSendNothing) {
    OpenWindow();
    EXPECT_FALSE(Doc()->IsModified());
    for (int tab : {2, 1, 0, 1}) {
        ASSERT_TRUE(m_view->ChooseTab(IDC_MODULE_TAB, tab));
        EXPECT_EQ(m_view->ShownPage(), tab);
    }
    auto& page = m_view->m_amplitudePage;
    RecordAmplitude();
    page.RestoreAmplitude(3, -50);  // writes field and spin, which both notify
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(page.GetDlgItemText(1018), "-50");
    EXPECT_FALSE(Doc()->m_amplitude[3].Changed());
}

// Each page's table and the view's binding of it agree: a change of channel 1 and the linked
// channel 3 following it reach the instrument as what the operator chose.
TEST_F(TavixPages, LinkedChangesReachTheInstrumentThroughEachPagesBinding) {
    struct Case {
        const char* page;
        platform::CDialog* (*pageOf)(CTavixView&);
        void (*changeChannelOne)(platform::CDialog&);
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"frequency",
         [](CTavixView& v) -> platform::CDialog* { return &v.m_frequencyPage; },
         [](platform::CDialog& p) { p.ChooseComboItem(IDC_TAVIX_FREQUENCY_CH1, 14); },
         {"OUTP:AUD:CHAN1:FREQ 1200", "OUTP:AUD:CHAN3:FREQ 1200"}},
        {"amplitude",
         [](CTavixView& v) -> platform::CDialog* { return &v.m_amplitudePage; },
         [](platform::CDialog& p) { p.TypeText(IDC_TAVIX_AMPLITUDE_CH1, "-9"); },
         {"OUTP:AUD:CHAN1:AMPL -9", "OUTP:AUD:CHAN3:AMPL -9"}},
        {"click",
         [](CTavixView& v) -> platform::CDialog* { return &v.m_clickPage; },
         [](platform::CDialog& p) { p.ChooseComboItem(IDC_TAVIX_CLICK_CH1, 3); },
         {"OUTP:AUD:CHAN1:CLIC 3", "OUTP:AUD:CHAN3:CLIC 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        OpenWindow();
        platform::CDialog& page = *c.pageOf(*m_view);
        ASSERT_TRUE(page.ClickButton(IDC_LINK_CH2 + 1));
        c.changeChannelOne(page);
        TakeLines();
        ASSERT_TRUE(m_view->ClickButton(IDC_MODULE_APPLY));
        std::vector<std::string> expected{"INST:SEL \"Tavix:1\""};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        expected.insert(expected.end(), {"*OPC?", "SYST:ERR?"});
        EXPECT_EQ(TakeLines(), expected);
        ASSERT_TRUE(Frame()->Children().front()->OnClose());
    }
}

}  // namespace
}  // namespace corvane::testing
