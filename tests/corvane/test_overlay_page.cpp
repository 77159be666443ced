// The overlay page of each video model, driven as the operator drives it: what it sends its
// view (a log compared with a table), the boxes it shows, and what it shows after its own
// writes and reloads, which must never reach the view.
#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "corvane/pages/overlay/OverlayIdText.h"
#include "corvane/pages/overlay/OverlayPage.h"
#include "resources/corvane/OverlayPageForms.h"
#include "tests/corvane/PageLog.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using platform::MB_ICONEXCLAMATION;
using platform::MB_OK;
using platform::UINT;

// The numbers as each model's view documents them, independent of the page's table.
struct ModelNumbers {
    VideoModel model;
    const char* name;
    UINT first;  // logo on/off; the next eleven follow in the order of the Offset enum
    UINT blink;
    UINT logoReload;
    UINT textReload;
};
const ModelNumbers kModels[] = {
    {VideoModel::Oltra, "oltra", 1333, 1379, 1378, 1374},
    {VideoModel::Yarlo, "yarlo", 1433, 1479, 1478, 1474},
    {VideoModel::Sormet, "sormet", 1163, 1208, 1207, 1204},
    {VideoModel::Ulmeth, "ulmeth", 1223, 1269, 1268, 1264},
};
enum Offset {
    kLogo,
    kLogoName,
    kLogoX,
    kLogoY,
    kText,
    kTextData,
    kTextX,
    kTextY,
    kCircle,
    kCircleX,
    kCircleY,
    kDiameter
};

PageLogView::Kinds KindsOf(const ModelNumbers& n) {
    return {{n.first + kLogo, n.first + kText, n.first + kCircle, n.blink},
            {n.first + kLogoName, n.first + kTextData},
            {n.first + kLogoX, n.first + kLogoY},
            {n.first + kTextX, n.first + kTextY, n.first + kCircleX, n.first + kCircleY,
             n.first + kDiameter}};
}

OverlayValues Opening() {
    OverlayValues v;
    v.logo.state = 1;
    v.logo.horizontal = -12.3;
    v.logo.vertical = -45.6;
    v.logo.logos = {"ALPHA.lgo", "BETA.lgo"};
    v.logo.selected = "BETA.lgo";
    v.text.state = 0;
    v.text.horizontal = 10;
    v.text.vertical = 20;
    v.text.text = "STUDIO 1";
    v.circle.state = 1;
    v.circle.horizontal = -5;
    v.circle.vertical = 7;
    v.circle.diameter = 30;
    v.blink = 3;
    return v;
}

class OverlayPageTest : public PageLogTest<COverlayPage, OverlayValues> {
protected:
    void Open(const ModelNumbers& n, const OverlayValues& values = Opening()) {
        OpenPage(n.model, n.first, KindsOf(n), values);
    }
};

TEST_F(OverlayPageTest, OpeningShowsTheValuesAndSendsNothing) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        Open(n);
        EXPECT_EQ(Text(IDC_LOGO_X), " -12.3");
        EXPECT_EQ(Text(IDC_LOGO_Y), " -45.6");
        EXPECT_EQ(m_page->GetPos(IDC_LOGO_X_SPIN), -123);
        EXPECT_EQ(Text(IDC_TEXT), "STUDIO 1");
        EXPECT_EQ(Text(IDC_TEXT_X), "10");
        EXPECT_EQ(Text(IDC_CIRCLE_DIAMETER), "30");
        EXPECT_EQ(Text(IDC_CIRCLE_X), "-5");
        EXPECT_EQ(m_page->GetCount(IDC_LOGO_NAME), 2);
        EXPECT_EQ(m_page->GetCurSel(IDC_LOGO_NAME), 1);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_LOGO_ENABLE), 1);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_TEXT_DISABLE), 1);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_CIRCLE_ENABLE), 1);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_BLINK_SLOW), 1);
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_LOGO_NAME));
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_LOGO_Y_UNIT));
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_TEXT));
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_TEXT_Y_SPIN));
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_CIRCLE_DIAMETER_LABEL));
        EXPECT_TRUE(m_view->m_log.empty());
        m_page->DestroyWindow();
    }
}

TEST_F(OverlayPageTest, NumericFieldsRoundRefuseAndSendOnce) {
    const char* const logoX = "Position X must be within\n-100.0 to    0.0 [%].";
    const char* const logoY = "Position Y must be within\n-100.0 to    0.0 [%].";
    struct Row {
        int editId;
        const char* typed;
        Offset offset;
        const char* sent;     // nullptr: refused
        const char* box;      // the refusal's message
        const char* showing;  // the field afterwards
    };
    const Row rows[] = {
        {IDC_LOGO_X, "-12.34", kLogoX, "-12.3", nullptr, "-12.34"},
        {IDC_LOGO_X, "0.04", kLogoX, "0.0", nullptr, "0.04"},
        // Half a tenth rounds away from zero, also where 0.1 has no exact binary form.
        {IDC_LOGO_X, "-12.35", kLogoX, "-12.4", nullptr, "-12.35"},
        {IDC_LOGO_Y, "-99.85", kLogoY, "-99.9", nullptr, "-99.85"},
        {IDC_LOGO_X, "5", kLogoX, nullptr, logoX, " -12.3"},
        {IDC_LOGO_X, "-100.06", kLogoX, nullptr, logoX, " -12.3"},
        {IDC_LOGO_Y, "-100.04", kLogoY, "-100.0", nullptr, "-100.04"},
        // Only decimal numbers are read: "nan" and "inf" read as 0.
        {IDC_LOGO_Y, "nan", kLogoY, "0.0", nullptr, "nan"},
        {IDC_LOGO_Y, "-inf", kLogoY, "0.0", nullptr, "-inf"},
        {IDC_LOGO_Y, "-1e400", kLogoY, nullptr, logoY, " -45.6"},
        {IDC_TEXT_X, "50.5", kTextX, "51", nullptr, "50.5"},
        {IDC_TEXT_X, "101", kTextX, nullptr, "Position X must be within\n0 to 100 [%].", "10"},
        {IDC_TEXT_Y, "-0.4", kTextY, "0", nullptr, "-0.4"},
        {IDC_CIRCLE_X, "-51", kCircleX, nullptr, "Position X must be within\n-50 to 50 [%].", "-5"},
        {IDC_CIRCLE_Y, "1e12", kCircleY, nullptr, "Position Y must be within\n-50 to 50 [%].", "7"},
        {IDC_CIRCLE_Y, "-50.4", kCircleY, "-50", nullptr, "-50.4"},
        {IDC_CIRCLE_DIAMETER, "0x10", kDiameter, "0", nullptr, "0x10"},
        {IDC_CIRCLE_DIAMETER, "100.5", kDiameter, nullptr, "Diameter must be within\n0 to 100 [%].",
         "30"},
    };
    for (const ModelNumbers& n : kModels)
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(n.name) + " typing " + row.typed);
            OverlayValues values = Opening();
            values.text.state = 1;
            Open(n, values);
            if (row.box != nullptr)
                m_boxes.Expect(row.box, MB_OK | MB_ICONEXCLAMATION, platform::IDOK);
            ASSERT_TRUE(m_page->TypeText(row.editId, row.typed));
            const std::vector<Sent> expected = row.sent != nullptr
                                                   ? std::vector<Sent>{At(row.offset, row.sent)}
                                                   : std::vector<Sent>{};
            EXPECT_EQ(m_view->m_log, expected);
            EXPECT_EQ(Text(row.editId), row.showing);
            EXPECT_EQ(m_boxes.Pending(), 0u);
            m_page->DestroyWindow();
        }
}

TEST_F(OverlayPageTest, SpinArrowsAndFocusLossSendEachValueOnce) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        Open(n);
        ASSERT_TRUE(m_page->SpinBy(IDC_LOGO_X_SPIN, 1));
        ASSERT_TRUE(m_page->SpinBy(IDC_CIRCLE_X_SPIN, -2));
        EXPECT_EQ(Text(IDC_LOGO_X), " -12.2");
        EXPECT_EQ(Text(IDC_CIRCLE_X), "-7");

        // A rewrite of text that is already canonical must not swallow the next edit.
        ASSERT_TRUE(m_page->FocusControl(IDC_CIRCLE_DIAMETER));
        ASSERT_TRUE(m_page->TypeText(IDC_CIRCLE_DIAMETER, "40.2"));
        ASSERT_TRUE(m_page->FocusControl(IDC_CIRCLE_X));
        EXPECT_EQ(Text(IDC_CIRCLE_DIAMETER), "40");
        ASSERT_TRUE(m_page->FocusControl(IDC_CIRCLE_DIAMETER));
        ASSERT_TRUE(m_page->FocusControl(IDC_CIRCLE_X));
        ASSERT_TRUE(m_page->TypeText(IDC_CIRCLE_DIAMETER, "41"));
        ASSERT_TRUE(m_page->FocusControl(IDC_LOGO_Y));
        ASSERT_TRUE(m_page->TypeText(IDC_LOGO_Y, "-7"));
        ASSERT_TRUE(m_page->FocusControl(IDC_CIRCLE_X));
        EXPECT_EQ(Text(IDC_LOGO_Y), "  -7.0");
        EXPECT_EQ(m_page->GetPos(IDC_LOGO_Y_SPIN), -70);

        EXPECT_EQ(m_view->m_log, (std::vector<Sent>{At(kLogoX, "-12.2"), At(kCircleX, "-6"),
                                                    At(kCircleX, "-7"), At(kDiameter, "40"),
                                                    At(kDiameter, "41"), At(kLogoY, "-7.0")}));
        m_page->DestroyWindow();
    }
}

TEST(OverlayIdTextRule, RemovesQuotesAndControlsKeepsAccents) {
    struct Row {
        std::string typed, cleaned;
        IdText verdict;
    };
    const Row rows[] = {
        {"STUDIO 1", "STUDIO 1", IdText::Clean},
        {"AB\"C", "ABC", IdText::QuotesRemoved},
        {"it's", "its", IdText::QuotesRemoved},
        {"A\r\nB\t", "AB", IdText::Cut},
        {"A\n\"B", "AB", IdText::QuotesRemoved},
        {"caf\xE9", "caf\xE9", IdText::Clean},
        {std::string(70, 'x'), std::string(64, 'x'), IdText::Cut},
        {"", "", IdText::Clean},
    };
    for (const Row& row : rows) {
        std::string text = row.typed;
        EXPECT_EQ(CleanOverlayIdText(text), row.verdict) << row.typed;
        EXPECT_EQ(text, row.cleaned);
    }
}

TEST_F(OverlayPageTest, IdTextIsSentOnceCleaned) {
    const char* const quotes = "Can not enter \" and ' character";
    struct Row {
        std::string typed, sent;
        bool box;
    };
    const Row rows[] = {
        {"AB\"C", "ABC", true},        {"it's", "its", true}, {"LINE\r\nTWO", "LINETWO", false},
        {"caf\xE9", "caf\xE9", false}, {"", "", false},
    };
    for (const ModelNumbers& n : kModels)
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(n.name) + " " + row.typed);
            OverlayValues values = Opening();
            values.text.state = 1;
            Open(n, values);
            if (row.box)
                m_boxes.Expect(quotes, MB_OK | MB_ICONEXCLAMATION, platform::IDOK);
            ASSERT_TRUE(m_page->TypeText(IDC_TEXT, row.typed));
            EXPECT_EQ(m_view->m_log, (std::vector<Sent>{At(kTextData, "\"" + row.sent + "\"")}));
            EXPECT_EQ(Text(IDC_TEXT), row.sent);
            EXPECT_EQ(m_boxes.Pending(), 0u);
            m_page->DestroyWindow();
        }
}

TEST_F(OverlayPageTest, SwitchesSendTheirStateAndWhatGoesWithIt) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        OverlayValues values = Opening();
        values.logo.state = 0;
        values.logo.selected.clear();
        values.blink = 1;  // no such button: shows "Blink OFF"
        Open(n, values);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_BLINK_OFF), 1);
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_LOGO_NAME));

        ASSERT_TRUE(m_page->ClickButton(IDC_LOGO_ENABLE));  // no name chosen: the first
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_LOGO_NAME));
        EXPECT_EQ(m_page->GetCurSel(IDC_LOGO_NAME), 0);
        ASSERT_TRUE(m_page->ChooseComboItem(IDC_LOGO_NAME, 1));
        ASSERT_TRUE(m_page->ClickButton(IDC_LOGO_DISABLE));
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_LOGO_X));
        ASSERT_TRUE(m_page->ClickButton(IDC_TEXT_ENABLE));
        EXPECT_TRUE(m_page->IsDlgItemEnabled(IDC_TEXT));
        ASSERT_TRUE(m_page->ClickButton(IDC_TEXT_DISABLE));
        ASSERT_TRUE(m_page->ClickButton(IDC_CIRCLE_DISABLE));
        EXPECT_FALSE(m_page->IsDlgItemEnabled(IDC_CIRCLE_Y));
        ASSERT_TRUE(m_page->ClickButton(IDC_CIRCLE_ENABLE));
        ASSERT_TRUE(m_page->ClickButton(IDC_BLINK_FAST));
        ASSERT_TRUE(m_page->ClickButton(IDC_BLINK_SLOW));
        ASSERT_TRUE(m_page->ClickButton(IDC_BLINK_OFF));

        const std::vector<Sent> expected = {At(kLogo, "w1"),
                                            At(kLogoName, "\"ALPHA.lgo\""),
                                            At(kLogoName, "\"BETA.lgo\""),
                                            At(kLogo, "w0"),
                                            At(kText, "w1"),
                                            At(kTextData, "\"STUDIO 1\""),
                                            At(kText, "w0"),
                                            At(kCircle, "w0"),
                                            At(kCircle, "w1"),
                                            {n.blink, "w2"},
                                            {n.blink, "w3"},
                                            {n.blink, "w0"}};
        EXPECT_EQ(m_view->m_log, expected);
        m_page->DestroyWindow();
    }
}

TEST_F(OverlayPageTest, LogoNamesOfAnyLengthAndNoLogoAtAll) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        OverlayValues values = Opening();
        const std::string longName = std::string(300, 'L') + ".lgo";
        values.logo.logos.push_back(longName);
        Open(n, values);
        ASSERT_TRUE(m_page->ChooseComboItem(IDC_LOGO_NAME, 2));
        EXPECT_EQ(m_view->m_log, (std::vector<Sent>{At(kLogoName, "\"" + longName + "\"")}));
        m_page->DestroyWindow();

        values.logo.logos.clear();
        values.logo.state = 0;
        Open(n, values);
        EXPECT_EQ(m_page->GetCount(IDC_LOGO_NAME), 0);
        EXPECT_FALSE(m_page->ClickButton(IDC_LOGO_ENABLE));
        EXPECT_FALSE(m_page->ClickButton(IDC_LOGO_DISABLE));
        EXPECT_TRUE(m_view->m_log.empty());
        m_page->DestroyWindow();
    }
}

TEST_F(OverlayPageTest, ReloadsShowTheNewValuesAndSendNothing) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        OverlayValues before = Opening();
        before.text.state = 1;
        Open(n, before);
        ASSERT_TRUE(m_page->ClickButton(IDC_CIRCLE_DISABLE));
        ASSERT_TRUE(m_page->ChooseComboItem(IDC_LOGO_NAME, 0));
        m_view->m_log.clear();

        OverlayValues after = Opening();
        after.logo.state = 0;  // the page keeps its own radio buttons and selection
        after.logo.horizontal = -50.0;
        after.text.text = "NEW";
        after.text.horizontal = 33;
        m_page->Load(after);
        EXPECT_EQ(m_page->SendMessage(n.logoReload), 0);
        EXPECT_EQ(Text(IDC_LOGO_X), " -50.0");
        EXPECT_EQ(m_page->GetPos(IDC_LOGO_X_SPIN), -500);
        EXPECT_EQ(Text(IDC_TEXT), "STUDIO 1");
        EXPECT_EQ(m_page->SendMessage(n.textReload), 0);
        EXPECT_EQ(Text(IDC_TEXT), "NEW");
        EXPECT_EQ(Text(IDC_TEXT_X), "33");
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_LOGO_ENABLE), 1);
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_CIRCLE_DISABLE), 1);
        EXPECT_EQ(m_page->GetCurSel(IDC_LOGO_NAME), 0);
        EXPECT_TRUE(m_view->m_log.empty());
        EXPECT_TRUE(m_page->IsReady());

        // The reloaded values are the ones a refusal puts back.
        m_boxes.ExpectAny(platform::IDOK);
        ASSERT_TRUE(m_page->TypeText(IDC_TEXT_X, "200"));
        EXPECT_EQ(Text(IDC_TEXT_X), "33");
        EXPECT_TRUE(m_view->m_log.empty());
        m_page->DestroyWindow();
    }
}

// Pictures of each model's page under build/screenshots, to be looked at.
TEST_F(OverlayPageTest, SavesAPictureOfEachModelsPage) {
    for (const ModelNumbers& n : kModels) {
        Open(n);
        QDir().mkpath(QUARN_SCREENSHOT_DIR);
        const QString file =
            QString(QUARN_SCREENSHOT_DIR) + "/overlay_page_" + QString::fromLatin1(n.name) + ".png";
        EXPECT_TRUE(m_page->GetWidget()->grab().save(file));
        m_page->DestroyWindow();
    }
}

}  // namespace
}  // namespace corvane::testing
