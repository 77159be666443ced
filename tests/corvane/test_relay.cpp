// HD clock families, the queries of another module's family, and the relay of notifications
// from documents through the main frame to the open views.
#include <QCoreApplication>

#include "corvane/core/Messages.h"
#include "corvane/modules/hdclock/HdClock.h"
#include "platform/Document.h"
#include "platform/View.h"
#include "resources/corvane/Resource.h"
#include "tests/corvane/CorvaneFixture.h"

namespace corvane::testing {
namespace {

TEST(HdClock, KeywordsOfBothFamilies) {
    for (const char* k : {"HD1080_60I", "HD1080_50I", "HD1080_30P", "HD1080_25P", "HD1080_24P",
                          "HD1080_24SF", "HD1035_60I", "HD720_60P", "HD720_50P"})
        EXPECT_EQ(HdClockFamily(k), kClock7425) << k;
    for (const char* k :
         {"HD1080_59I", "HD1080_29P", "HD1080_23P", "HD1080_23SF", "HD1035_59I", "HD720_59P"})
        EXPECT_EQ(HdClockFamily(k), kClock7418) << k;
}

TEST(HdClock, TheHd720FormatsOfTheUlmethBelongToTheirFamilies) {
    EXPECT_EQ(HdClockFamily("HD720_30P"), kClock7425);
    EXPECT_EQ(HdClockFamily("HD720_25P"), kClock7425);
    EXPECT_EQ(HdClockFamily("HD720_24P"), kClock7425);
    EXPECT_EQ(HdClockFamily("HD720_29P"), kClock7418);
    EXPECT_EQ(HdClockFamily("HD720_23P"), kClock7418);
}

TEST(HdClock, AnythingElseIsUnknown) {
    for (const char* k : {"HD1080_23p", "BB", "NTSC", "", "HD1080_60I "})
        EXPECT_EQ(HdClockFamily(k), kClockUnknown) << k;
}

TEST(HdClock, KintorOutputsCombine) {
    EXPECT_EQ(CombineKintorOutputs(kClockNoHd, kClockNoHd, kClock7418), kClockBoth);
    EXPECT_EQ(CombineKintorOutputs(kClock7425, kClock7425, kClock7425), kClock7425);
    EXPECT_EQ(CombineKintorOutputs(kClockNoHd, kClockNoHd, kClockNoHd), kClockNoHd);
    EXPECT_EQ(CombineKintorOutputs(kClock7418, kClock7418, kClockNoHd), kClockBoth);
}

class ClockQueries : public CorvaneFixture {
protected:
    void KintorOutputs(const std::vector<std::string>& formats) {
        for (size_t i = 0; i < formats.size(); ++i)
            m_sim->SetReplyOverride("OUTP" + std::to_string(i + 1) + ":STAN?", formats[i]);
    }
};

TEST_F(ClockQueries, ModelsNotInstalled) {
    StartReady({{"Tavix", 1}});
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClockNoBrumo);
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockNoKintor);
    EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClockNoUlmeth);
    EXPECT_TRUE(TakeLines().empty());
}

TEST_F(ClockQueries, BrumoOutputThree) {
    StartReady({{"Brumo", 2}});
    m_sim->SetReplyOverride("OUTP3:STAN?", "BB");
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClockNoHd);
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"INST:SEL \"Brumo:2\"", "OUTP3:STAN?"}));
    m_sim->SetReplyOverride("OUTP3:STAN?", "HD1080_59I");
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClock7418);
    m_sim->SetReplyOverride("OUTP3:STAN?", "HD1080_23p");
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClockUnknown);
    m_sim->SetReplyOverride("OUTP3:STAN?", "");  // a read that failed
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClockUnknown);
}

TEST_F(ClockQueries, UlmethOutputOne) {
    StartReady({{"Ulmeth", 4}});
    m_sim->SetReplyOverride("OUTP1:STAN?", "HD720_29P");
    EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClock7418);
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"INST:SEL \"Ulmeth:4\"", "OUTP1:STAN?"}));
}

TEST_F(ClockQueries, UlmethFormatsOfBothFamiliesAndAFailedRead) {
    StartReady({{"Ulmeth", 4}});
    for (const char* format : {"HD720_30P", "HD720_25P", "HD720_24P"}) {
        m_sim->SetReplyOverride("OUTP1:STAN?", format);
        EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClock7425)
            << format;
    }
    m_sim->SetReplyOverride("OUTP1:STAN?", "HD720_23P");
    EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClock7418);
    m_sim->SetReplyOverride("OUTP1:STAN?", "");  // the read failed
    EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClockUnknown);
    Frame()->Disconnect();
    m_boxes.ExpectAny(platform::IDOK);
    EXPECT_EQ(QueryUlmethClockFamily(*Frame(), Frame()->m_hasUlmeth != 0), kClockFailed);
}

TEST_F(ClockQueries, KintorOutputThatReadsEmptyIsUnknownAtOnce) {
    StartReady({{"Kintor", 1}});
    KintorOutputs({"PAL", "", "PAL", "PAL"});
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockUnknown);
    EXPECT_EQ(TakeLines(),
              (std::vector<std::string>{"INST:SEL \"Kintor:1\"", "OUTP1:STAN?", "OUTP2:STAN?"}));
}

TEST_F(ClockQueries, KintorCombinesOutputsOneToThree) {
    StartReady({{"Kintor", 3}});
    KintorOutputs({"NTSC", "PAL", "HD1080_59I", "PAL"});
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockBoth);
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"INST:SEL \"Kintor:3\"", "OUTP1:STAN?",
                                                     "OUTP2:STAN?", "OUTP3:STAN?", "OUTP4:STAN?"}));
    KintorOutputs({"HD1080_60I", "HD720_50P", "HD1080_24SF", "NTSC"});
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClock7425);
    KintorOutputs({"NTSC", "NTSC_NSU", "PAL", "HD1080_59I"});
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockNoHd);
    KintorOutputs({"NTSC", "NTSC", "NTSC", "BB"});  // output 4 unknown still answers -4
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockUnknown);
}

TEST_F(ClockQueries, TwoKintorsReadTheLowerSlot) {
    StartReady({{"Kintor", 3}, {"Kintor", 2}});
    KintorOutputs({"PAL", "PAL", "PAL", "PAL"});
    QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0);
    EXPECT_EQ(TakeLines().front(), "INST:SEL \"Kintor:2\"");
}

TEST_F(ClockQueries, AnUnknownModelNamedLikeOneIsNotTakenForIt) {
    StartSimulator();
    m_sim->SetReplyOverride("INST:CAT?", "\"CPU:0\",\"BrumoX:1\",\"Brumo:3\"");
    ASSERT_TRUE(StartCorvane());
    TakeLines();
    m_sim->SetReplyOverride("OUTP3:STAN?", "BB");
    QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0);
    EXPECT_EQ(TakeLines().front(), "INST:SEL \"Brumo:3\"");
}

TEST_F(ClockQueries, AFailedExchangeIsNotAModelNotInstalled) {
    StartReady({{"Brumo", 1}, {"Kintor", 2}});
    Frame()->Disconnect();
    m_boxes.ExpectAny(platform::IDOK).ExpectAny(platform::IDOK);
    EXPECT_EQ(QueryBrumoClockFamily(*Frame(), Frame()->m_hasBrumo != 0), kClockFailed);
    EXPECT_EQ(QueryKintorClockFamily(*Frame(), Frame()->m_hasKintor != 0), kClockFailed);
}

// Views that record what reaches them.
struct Received {
    std::string model;
    platform::UINT message;
    int wParam;
};
std::vector<Received> g_received;

class RecordingView : public platform::CView {
public:
    explicit RecordingView(std::string model) : m_model(std::move(model)) {
        for (platform::UINT m : {WM_MODULE_APPLIED, WM_BRUMO_CLOCK_FAMILY, WM_KINTOR_CLOCK_FAMILY,
                                 WM_ULMETH_CLOCK_FAMILY})
            OnMessage(m, [this, m](platform::WPARAM w, platform::LPARAM) {
                g_received.push_back({m_model, m, static_cast<int>(w)});
                return 0;
            });
    }
    ~RecordingView() override {
        if (m_model == "Quarn" && MainFrame() != nullptr)
            MainFrame()->MainframeDocClosed(GetDocument());
    }
    std::string m_model;
};

class SlotDoc : public platform::CDocument {
public:
    bool OnOpenDocument(const std::string& path) override {
        m_slot = std::atoi(path.c_str());
        return true;
    }
    ~SlotDoc() override {
        if (MainFrame() != nullptr)
            MainFrame()->SlotDocClosed(m_slot - 1, this);
    }
    int m_slot = 0;
};

class Relay : public CorvaneFixture {
protected:
    void SetUp() override {
        CorvaneFixture::SetUp();
        g_received.clear();
        StartReady({{"Tavix", 1}, {"Brumo", 2}, {"Kintor", 3}, {"Ulmeth", 4}});
        for (const auto& t : m_app->DocTemplates()) {
            std::string name;
            t->GetDocString(name, platform::CMultiDocTemplate::docName);
            t->SetFactories([] { return std::make_unique<SlotDoc>(); },
                            [name] { return std::make_unique<RecordingView>(name); });
        }
        Frame()->OpenMainframe();
        for (int i = 0; i < 4; ++i) Frame()->OpenModule(i);
    }
    std::vector<std::string> Deliver(platform::UINT message, int family) {
        g_received.clear();
        Frame()->PostMessage(message, static_cast<platform::WPARAM>(family));
        EXPECT_TRUE(g_received.empty());  // posted: handled later, from the event loop
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        std::vector<std::string> got;
        for (const Received& r : g_received) {
            EXPECT_EQ(r.wParam, family);
            got.push_back(r.model + ":" + std::to_string(r.message));
        }
        return got;
    }
};

TEST_F(Relay, ModuleAppliedReachesTheMainframeAndTavixViews) {
    EXPECT_EQ(Deliver(WM_MODULE_APPLIED, 0),
              (std::vector<std::string>{"Quarn:1115", "Tavix:1115"}));
}

TEST_F(Relay, EachClockFamilyReachesTheOtherTwoModelsAndTavix) {
    EXPECT_EQ(Deliver(WM_BRUMO_CLOCK_FAMILY, kClockNoBrumo),
              (std::vector<std::string>{"Tavix:1115", "Kintor:1139", "Ulmeth:1139"}));
    EXPECT_EQ(Deliver(WM_KINTOR_CLOCK_FAMILY, kClock7418),
              (std::vector<std::string>{"Tavix:1115", "Brumo:1150", "Ulmeth:1150"}));
    EXPECT_EQ(Deliver(WM_ULMETH_CLOCK_FAMILY, kClockUnknown),
              (std::vector<std::string>{"Tavix:1115", "Brumo:1267", "Kintor:1267"}));
}

TEST_F(Relay, ClosedWindowsMissTheMessage) {
    Frame()->m_slotDoc[2]->OnCloseDocument();
    Frame()->m_mainframeDoc->OnCloseDocument();
    EXPECT_EQ(Deliver(WM_BRUMO_CLOCK_FAMILY, 1),
              (std::vector<std::string>{"Tavix:1115", "Ulmeth:1139"}));
    EXPECT_EQ(Deliver(WM_MODULE_APPLIED, 0), (std::vector<std::string>{"Tavix:1115"}));
}

}  // namespace
}  // namespace corvane::testing
