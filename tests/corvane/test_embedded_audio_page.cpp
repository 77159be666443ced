// The embedded audio page of the serial video modules, for both models and both outputs,
// hosted as its view hosts it and driven as the operator drives it: what it sends (a log
// compared with a table), the boxes it shows, and what it enables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "corvane/pages/audio/EmbeddedAudioPage.h"
#include "platform/MessageBox.h"
#include "resources/corvane/EmbeddedAudioPageForms.h"
#include "tests/corvane/PageHost.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using Log = std::vector<std::string>;

struct Output {
    const char* name;
    const EmbeddedAudioTable& (*table)();
    bool followsFormat;
};
const std::vector<Output> kOutputs{{"Sormet audio", SormetAudioTable, true},
                                   {"Sormet black audio", SormetBlackAudioTable, true},
                                   {"Ulmeth audio", UlmethAudioTable, false},
                                   {"Ulmeth black audio", UlmethBlackAudioTable, false}};

constexpr int kHz400 = 8;
constexpr int kHz1000 = 13;

std::string Line(platform::UINT message, int w, int l) {
    return platform::Format("%u %d %d", message, w, l);
}

// Every group enabled at 24 bits, every channel at 1000 Hz, -20 dBFS, no click; the format wide.
EmbeddedAudioValues Values() {
    EmbeddedAudioValues v;
    for (auto& g : v.groups) g = {1, kPreEmphasisOff, 24, kSamplingFrame};
    for (auto& c : v.channels) c = {-20, kHz1000, 0};
    v.format = 1;
    return v;
}

class EmbeddedAudioPage : public HostedPageTest<CEmbeddedAudioPage> {
protected:
    void Open(const Output& output, const EmbeddedAudioValues& values = Values()) {
        const EmbeddedAudioTable& table = output.table();
        m_m = &table.messages;
        NewHost();
        for (platform::UINT m : {m_m->groupState, m_m->emphasis, m_m->sampling, m_m->bits,
                                 m_m->frequency, m_m->amplitude, m_m->click})
            m_host->Record(m);
        m_page = std::make_unique<CEmbeddedAudioPage>(table);
        m_page->Load(values);
        ASSERT_TRUE(m_page->Create(m_host.get()));
        m_page->ShowWindow(true);
        ASSERT_TRUE(m_host->Take().empty());  // opening sends nothing
    }
    const EmbeddedAudioMessages& M() const { return *m_m; }

    testsupport::BoxScript m_boxes;
    const EmbeddedAudioMessages* m_m = nullptr;
};

TEST_F(EmbeddedAudioPage, EachControlSendsItsValueForTheShownGroupOrChannel) {
    for (const Output& output : kOutputs) {
        SCOPED_TRACE(output.name);
        Open(output);
        Page().ClickButton(IDC_AUDIO_GROUP1 + 1);
        Page().ClickButton(IDC_AUDIO_CHANNEL1 + 2);
        Page().ChooseComboItem(IDC_AUDIO_FREQUENCY, 13);  // 1000 Hz is shown: no change
        Page().ChooseComboItem(IDC_AUDIO_FREQUENCY, 0);
        Page().ChooseComboItem(IDC_AUDIO_FREQUENCY, 1);
        Page().ChooseComboItem(IDC_AUDIO_FREQUENCY, 31);
        Page().ChooseComboItem(IDC_AUDIO_CLICK, 3);
        Page().TypeText(IDC_AUDIO_AMPLITUDE, "-7");
        Page().ChooseComboItem(IDC_AUDIO_EMPHASIS, 2);
        Page().ChooseComboItem(IDC_AUDIO_SAMPLING, 1);
        Page().ClickButton(IDC_AUDIO_BITS20);
        Page().ClickButton(IDC_AUDIO_DISABLE);
        Page().ClickButton(IDC_AUDIO_ENABLE);
        EXPECT_EQ(m_host->Take(), (Log{Line(M().frequency, 6, -1), Line(M().frequency, 6, 0),
                                       Line(M().frequency, 6, 20000), Line(M().click, 6, 3),
                                       Line(M().amplitude, 6, -7), Line(M().emphasis, 1, 2),
                                       Line(M().sampling, 1, 1), Line(M().bits, 1, 20),
                                       Line(M().groupState, 1, 0), Line(M().groupState, 1, 1)}));
        const AudioChannelSettings& c = Page().Values().channels[6];
        EXPECT_EQ(c.frequency, 31);
        EXPECT_EQ(c.click, 3);
        EXPECT_EQ(c.amplitude, -7);
        EXPECT_EQ(Page().Values().groups[1].bits, 20);
    }
}

TEST_F(EmbeddedAudioPage, LinkCopiesChannelOneAndFollowsIt) {
    for (const Output& output : kOutputs) {
        SCOPED_TRACE(output.name);
        EmbeddedAudioValues v = Values();
        v.channels[0] = {-12, kHz400, 2};
        Open(output, v);
        Page().ClickButton(IDC_AUDIO_CHANNEL1 + 3);
        Page().ClickButton(IDC_AUDIO_LINK);
        Log expected;
        for (int c = 1; c < 4; ++c) {
            expected.push_back(Line(M().frequency, c, 400));
            expected.push_back(Line(M().click, c, 2));
            expected.push_back(Line(M().amplitude, c, -12));
        }
        EXPECT_EQ(m_host->Take(), expected);
        EXPECT_EQ(Page().SelectedChannel(), 0);
        EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_CHANNEL1), 1);
        for (int c = 1; c < 4; ++c) EXPECT_FALSE(Page().IsDlgItemEnabled(IDC_AUDIO_CHANNEL1 + c));

        Page().ChooseComboItem(IDC_AUDIO_FREQUENCY, kHz1000);
        Page().SpinBy(IDC_AUDIO_AMPLITUDE_SPIN, 1);
        EXPECT_EQ(m_host->Take(), (Log{Line(M().frequency, 0, 1000), Line(M().frequency, 1, 1000),
                                       Line(M().frequency, 2, 1000), Line(M().frequency, 3, 1000),
                                       Line(M().amplitude, 0, -11), Line(M().amplitude, 1, -11),
                                       Line(M().amplitude, 2, -11), Line(M().amplitude, 3, -11)}));
        EXPECT_EQ(Page().GetDlgItemText(IDC_AUDIO_AMPLITUDE), "-11");

        // The link belongs to its group; another group's channel 1 leads nothing.
        Page().ClickButton(IDC_AUDIO_GROUP1 + 2);
        EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_LINK), 0);
        Page().ChooseComboItem(IDC_AUDIO_CLICK, 1);
        Page().ClickButton(IDC_AUDIO_GROUP1);
        EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_LINK), 1);
        Page().ClickButton(IDC_AUDIO_LINK);  // unlinking sends nothing
        EXPECT_EQ(m_host->Take(), (Log{Line(M().click, 8, 1)}));
        EXPECT_TRUE(Page().IsDlgItemEnabled(IDC_AUDIO_CHANNEL1 + 3));
    }
}

TEST_F(EmbeddedAudioPage, LinkPassesOnlyWhatChannelOneShows) {
    EmbeddedAudioValues v = Values();
    v.channels[0] = {-3, -1, 9};  // a frequency and a click the lists lack
    Open(kOutputs[0], v);
    EXPECT_EQ(Page().GetCurSel(IDC_AUDIO_FREQUENCY), -1);
    EXPECT_EQ(Page().GetCurSel(IDC_AUDIO_CLICK), -1);
    Page().ClickButton(IDC_AUDIO_LINK);
    EXPECT_EQ(m_host->Take(), (Log{Line(M().amplitude, 1, -3), Line(M().amplitude, 2, -3),
                                   Line(M().amplitude, 3, -3)}));
    EXPECT_EQ(Page().Values().channels[2].frequency, kHz1000);
}

TEST_F(EmbeddedAudioPage, AmplitudeIsRoundedAndRefusedOutsideItsRange) {
    struct Row {
        const char* typed;
        int sent;  // 1: refused
        const char* shown;
    };
    const std::vector<Row> rows{{"-0.6", -1, "-0.6"}, {"-0.4", 0, "-0.4"}, {"-61", 1, "-20"},
                                {"0.6", 1, "-20"},    {"1e12", 1, "-20"},  {"nan", 0, "nan"},
                                {"-60", -60, "-60"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        Open(kOutputs[2]);
        if (r.sent == 1)
            m_boxes.Expect("Amplitude must be within\n-60 to 0 [dBFS].",
                           platform::MB_OK | platform::MB_ICONEXCLAMATION, platform::IDOK);
        Page().FocusControl(IDC_AUDIO_AMPLITUDE);
        Page().TypeText(IDC_AUDIO_AMPLITUDE, r.typed);
        EXPECT_EQ(m_host->Take(), r.sent == 1 ? Log{} : Log{Line(M().amplitude, 0, r.sent)});
        EXPECT_EQ(Page().GetDlgItemText(IDC_AUDIO_AMPLITUDE), r.shown);
        EXPECT_EQ(Page().GetPos(IDC_AUDIO_AMPLITUDE_SPIN), r.sent == 1 ? -20 : r.sent);
        Page().FocusControl(IDC_AUDIO_FREQUENCY);  // the rewrite sends nothing
        EXPECT_TRUE(m_host->Take().empty());
    }
}

TEST_F(EmbeddedAudioPage, ShowingAnotherChannelLeavesTheAmplitudeFieldLive) {
    Open(kOutputs[0]);  // every channel at -20: switching writes the same text
    Page().ClickButton(IDC_AUDIO_CHANNEL1 + 1);
    Page().TypeText(IDC_AUDIO_AMPLITUDE, "-5");
    EXPECT_EQ(m_host->Take(), (Log{Line(M().amplitude, 1, -5)}));
    Page().ClickButton(IDC_AUDIO_CHANNEL1);
    EXPECT_EQ(Page().GetDlgItemText(IDC_AUDIO_AMPLITUDE), "-20");
    EXPECT_EQ(Page().GetPos(IDC_AUDIO_AMPLITUDE_SPIN), -20);
    EXPECT_TRUE(m_host->Take().empty());
}

TEST_F(EmbeddedAudioPage, ADisabledGroupGreysItsControlsAndKeepsTheirValues) {
    EmbeddedAudioValues v = Values();
    v.groups[0].state = 0;
    v.channels[0] = {-9, kHz400, 4};
    Open(kOutputs[1], v);
    for (int id : {IDC_AUDIO_EMPHASIS, IDC_AUDIO_SAMPLING, IDC_AUDIO_BITS20, IDC_AUDIO_AMPLITUDE,
                   IDC_AUDIO_FREQUENCY, IDC_AUDIO_CLICK, IDC_AUDIO_LINK, IDC_AUDIO_CHANNEL1,
                   IDC_AUDIO_CHANNEL1 + 3, IDC_AUDIO_AMPLITUDE_UNIT})
        EXPECT_FALSE(Page().IsDlgItemEnabled(id)) << id;
    EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_DISABLE), 1);
    EXPECT_EQ(Page().GetCurSel(IDC_AUDIO_FREQUENCY), kHz400);
    EXPECT_EQ(Page().GetCurSel(IDC_AUDIO_CLICK), 4);
    EXPECT_EQ(Page().GetDlgItemText(IDC_AUDIO_AMPLITUDE), "-9");
    Page().ClickButton(IDC_AUDIO_ENABLE);
    EXPECT_TRUE(Page().IsDlgItemEnabled(IDC_AUDIO_FREQUENCY));
    EXPECT_TRUE(Page().IsDlgItemEnabled(IDC_AUDIO_CHANNEL1 + 3));
    EXPECT_EQ(m_host->Take(), (Log{Line(M().groupState, 0, 1)}));
}

TEST_F(EmbeddedAudioPage, SormetFormatDecidesWhetherGroupsTwoToFourCarryAudio) {
    for (const Output& output : kOutputs) {
        SCOPED_TRACE(output.name);
        Open(output);
        Page().ClickButton(IDC_AUDIO_GROUP1 + 3);
        Page().SendMessage(output.followsFormat ? M().formatChanged : 1154, 2, 0);  // still wide
        EXPECT_TRUE(m_host->Take().empty());
        EXPECT_EQ(Page().SelectedGroup(), 3);
        if (!output.followsFormat)
            continue;
        Page().SendMessage(M().formatChanged, 0, 0);  // "525-143"
        EXPECT_EQ(m_host->Take(), (Log{Line(M().groupState, 1, 0), Line(M().groupState, 2, 0),
                                       Line(M().groupState, 3, 0)}));
        EXPECT_EQ(Page().SelectedGroup(), 0);
        EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_GROUP1), 1);
        for (int g = 1; g < 4; ++g) EXPECT_FALSE(Page().IsDlgItemEnabled(IDC_AUDIO_GROUP1 + g));
        Page().SendMessage(M().formatChanged, 1, 0);  // widening disables them too
        EXPECT_EQ(m_host->Take().size(), 3u);
        EXPECT_TRUE(Page().IsDlgItemEnabled(IDC_AUDIO_GROUP1 + 3));
        Page().ClickButton(IDC_AUDIO_GROUP1 + 3);
        EXPECT_EQ(Page().IsDlgButtonChecked(IDC_AUDIO_DISABLE), 1);
    }
}

TEST_F(EmbeddedAudioPage, SormetOpensNarrowOnFormatZero) {
    EmbeddedAudioValues v = Values();
    v.format = 0;
    Open(kOutputs[1], v);
    EXPECT_FALSE(Page().IsDlgItemEnabled(IDC_AUDIO_GROUP1 + 1));
    Open(kOutputs[3], v);  // the Ulmeth's groups do not depend on the format
    EXPECT_TRUE(Page().IsDlgItemEnabled(IDC_AUDIO_GROUP1 + 1));
    SavePagePicture(Page(), "page_audio_Ulmeth_black");
    Open(kOutputs[0]);
    SavePagePicture(Page(), "page_audio_Sormet");
}

}  // namespace
}  // namespace corvane::testing
