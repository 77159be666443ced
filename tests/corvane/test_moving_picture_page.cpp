// The moving picture page of each video model, driven as the operator drives it: the steps
// and limits of each model and format, what it sends its view (a log compared with a table)
// and the boxes it shows.
#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "corvane/pages/movingpicture/MovingPicturePage.h"
#include "resources/corvane/MovingPicturePageForms.h"
#include "tests/corvane/PageLog.h"
#include "tests/support/BoxScript.h"

namespace corvane::testing {
namespace {

using platform::MB_ICONEXCLAMATION;
using platform::MB_OK;
using platform::UINT;

// The numbers as each model's view documents them: horizontal, vertical, period, random.
struct ModelNumbers {
    VideoModel model;
    const char* name;
    UINT first;
};
const ModelNumbers kOltra{VideoModel::Oltra, "oltra", 1329};
const ModelNumbers kYarlo{VideoModel::Yarlo, "yarlo", 1429};
const ModelNumbers kSormet{VideoModel::Sormet, "sormet", 1159};
const ModelNumbers kUlmeth{VideoModel::Ulmeth, "ulmeth", 1219};
const ModelNumbers kModels[] = {kOltra, kYarlo, kSormet, kUlmeth};
enum Offset { kHorizontal, kVertical, kPeriod, kRandom };
constexpr UINT kSormetFormat = 1154;
constexpr int k525_143 = 0, k625_270 = 2;

MovingPictureValues Opening(int formatCode = k625_270, int vertical = 4) {
    MovingPictureValues v;
    v.settings = {8, vertical, 5, 0};
    v.formatCode = formatCode;
    return v;
}

class MovingPicturePageTest : public PageLogTest<CMovingPicturePage, MovingPictureValues> {
protected:
    void Open(const ModelNumbers& n, const MovingPictureValues& values = Opening()) {
        OpenPage(n.model, n.first,
                 {{n.first + kRandom},
                  {},
                  {},
                  {n.first + kHorizontal, n.first + kVertical, n.first + kPeriod}},
                 values);
    }
};

TEST_F(MovingPicturePageTest, StepsRoundToTheGridAndRefuseBeyondTheLimits) {
    const char* const analogH = "Horizontal step must be within\n-60 to 60.";
    const char* const serialH = "Horizontal step must be within\n-252 to 252.";
    const char* const period = "Period must be within\n1 to 16.";
    struct Row {
        const ModelNumbers& model;
        int format;
        int editId;
        const char* typed;
        Offset offset;
        const char* sent;  // nullptr: refused with `box`, the field back to its value
        const char* box;
    };
    const Row rows[] = {
        {kOltra, 0, IDC_MOVING_HSTEP, "5", kHorizontal, "4", nullptr},
        {kOltra, 0, IDC_MOVING_HSTEP, "6", kHorizontal, "8", nullptr},
        {kOltra, 0, IDC_MOVING_HSTEP, "-6", kHorizontal, "-8", nullptr},
        {kOltra, 0, IDC_MOVING_HSTEP, "61", kHorizontal, "60", nullptr},
        {kOltra, 0, IDC_MOVING_HSTEP, "62", kHorizontal, nullptr, analogH},
        {kYarlo, 0, IDC_MOVING_HSTEP, "-62", kHorizontal, nullptr, analogH},
        {kYarlo, 0, IDC_MOVING_VSTEP, "15.4", kVertical, "15", nullptr},
        {kYarlo, 0, IDC_MOVING_VSTEP, "-16", kVertical, nullptr,
         "Vertical step must be within\n-15 to 15."},
        {kSormet, k625_270, IDC_MOVING_HSTEP, "253", kHorizontal, "252", nullptr},
        {kSormet, k625_270, IDC_MOVING_HSTEP, "254", kHorizontal, nullptr, serialH},
        {kSormet, k525_143, IDC_MOVING_VSTEP, "3", kVertical, "4", nullptr},
        {kSormet, k525_143, IDC_MOVING_VSTEP, "-3", kVertical, "-4", nullptr},
        {kSormet, k525_143, IDC_MOVING_VSTEP, "245", kVertical, nullptr,
         "Vertical step must be within\n-244 to 244."},
        {kSormet, k625_270, IDC_MOVING_VSTEP, "255", kVertical, "255", nullptr},
        {kSormet, 7, IDC_MOVING_VSTEP, "-255", kVertical, "-255", nullptr},
        {kUlmeth, 0, IDC_MOVING_VSTEP, "-256", kVertical, nullptr,
         "Vertical step must be within\n-255 to 255."},
        {kUlmeth, 0, IDC_MOVING_VSTEP, "1e12", kVertical, nullptr,
         "Vertical step must be within\n-255 to 255."},
        {kUlmeth, 0, IDC_MOVING_HSTEP, "nan", kHorizontal, "0", nullptr},
        {kUlmeth, 0, IDC_MOVING_PERIOD, "0.4", kPeriod, nullptr, period},
        {kOltra, 0, IDC_MOVING_PERIOD, "16.4", kPeriod, "16", nullptr},
        {kSormet, 0, IDC_MOVING_PERIOD, "16.5", kPeriod, nullptr, period},
        {kYarlo, 0, IDC_MOVING_PERIOD, "inf", kPeriod, nullptr, period},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.model.name) + " typing " + row.typed);
        Open(row.model, Opening(row.format));
        const std::string before = Text(row.editId);
        if (row.box != nullptr)
            m_boxes.Expect(row.box, MB_OK | MB_ICONEXCLAMATION, platform::IDOK);
        // The period takes digits only from the keyboard; other text arrives as a paste does.
        if (row.editId == IDC_MOVING_PERIOD)
            m_page->SetDlgItemText(row.editId, row.typed);
        else
            ASSERT_TRUE(m_page->TypeText(row.editId, row.typed));
        if (row.sent != nullptr) {
            EXPECT_EQ(m_view->m_log, (std::vector<Sent>{At(row.offset, row.sent)}));
        } else {
            EXPECT_TRUE(m_view->m_log.empty());
            EXPECT_EQ(Text(row.editId), before);
        }
        EXPECT_EQ(m_boxes.Pending(), 0u);
        m_page->DestroyWindow();
    }
}

TEST_F(MovingPicturePageTest, OpeningMovesAVerticalStepOntoTheLimitsAndSendsIt) {
    struct Row {
        const ModelNumbers& model;
        int format;
        int stored;
        const char* shown;
        bool sent;
    };
    const Row rows[] = {
        {kOltra, 0, 20, "15", true},
        {kYarlo, 0, -16, "-15", true},
        {kSormet, k525_143, 3, "4", true},
        {kSormet, k525_143, 250, "244", true},
        {kSormet, k625_270, 255, "255", false},
        {kSormet, 9, 255, "255", false},
        {kUlmeth, 0, -300, "-255", true},
        {kUlmeth, 0, 7, "7", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.model.name) + " " + std::to_string(row.stored));
        Open(row.model, Opening(row.format, row.stored));
        EXPECT_EQ(Text(IDC_MOVING_VSTEP), row.shown);
        const std::vector<Sent> expected =
            row.sent ? std::vector<Sent>{At(kVertical, row.shown)} : std::vector<Sent>{};
        EXPECT_EQ(m_view->m_log, expected);
        EXPECT_EQ(Text(IDC_MOVING_HSTEP), "8");
        EXPECT_EQ(Text(IDC_MOVING_PERIOD), "5");
        EXPECT_EQ(m_page->IsDlgButtonChecked(IDC_MOVING_RANDOM_OFF), 1);
        m_page->DestroyWindow();
    }
}

TEST_F(MovingPicturePageTest, SpinsRandomAndFocusLoss) {
    for (const ModelNumbers& n : kModels) {
        SCOPED_TRACE(n.name);
        Open(n, Opening(k525_143));
        ASSERT_TRUE(m_page->SpinBy(IDC_MOVING_HSTEP_SPIN, 1));
        EXPECT_EQ(Text(IDC_MOVING_HSTEP), "12");
        ASSERT_TRUE(m_page->SpinBy(IDC_MOVING_VSTEP_SPIN, 1));
        ASSERT_TRUE(m_page->SpinBy(IDC_MOVING_PERIOD_SPIN, -1));
        ASSERT_TRUE(m_page->ClickButton(IDC_MOVING_RANDOM_ON));
        ASSERT_TRUE(m_page->ClickButton(IDC_MOVING_RANDOM_OFF));
        // A rewrite on focus loss sends nothing, and the next edit still goes.
        ASSERT_TRUE(m_page->FocusControl(IDC_MOVING_HSTEP));
        ASSERT_TRUE(m_page->TypeText(IDC_MOVING_HSTEP, "21"));
        ASSERT_TRUE(m_page->FocusControl(IDC_MOVING_PERIOD));
        EXPECT_EQ(Text(IDC_MOVING_HSTEP), "20");
        ASSERT_TRUE(m_page->FocusControl(IDC_MOVING_HSTEP));
        ASSERT_TRUE(m_page->FocusControl(IDC_MOVING_PERIOD));
        ASSERT_TRUE(m_page->TypeText(IDC_MOVING_HSTEP, "-4"));

        const char* const vertical = n.model == VideoModel::Sormet ? "6" : "5";
        EXPECT_EQ(m_view->m_log,
                  (std::vector<Sent>{At(kHorizontal, "12"), At(kVertical, vertical),
                                     At(kPeriod, "4"), At(kRandom, "w1"), At(kRandom, "w0"),
                                     At(kHorizontal, "20"), At(kHorizontal, "-4")}));
        m_page->DestroyWindow();
    }
}

TEST_F(MovingPicturePageTest, SormetLimitsFollowTheFormatTheViewForwards) {
    Open(kSormet, Opening(k625_270, 255));
    EXPECT_EQ(m_page->SendMessage(kSormetFormat, k525_143), 0);
    EXPECT_EQ(Text(IDC_MOVING_VSTEP), "244");
    ASSERT_TRUE(m_page->TypeText(IDC_MOVING_VSTEP, "3"));
    m_page->SendMessage(kSormetFormat, k625_270);  // 4 fits: nothing to send
    ASSERT_TRUE(m_page->TypeText(IDC_MOVING_VSTEP, "255"));
    ASSERT_TRUE(m_page->SpinBy(IDC_MOVING_VSTEP_SPIN, -1));
    EXPECT_EQ(m_view->m_log, (std::vector<Sent>{At(kVertical, "244"), At(kVertical, "4"),
                                                At(kVertical, "255"), At(kVertical, "254")}));
    m_page->DestroyWindow();

    // The other models' limits never change, whatever arrives under that number.
    Open(kUlmeth, Opening(0, 255));
    m_page->SendMessage(kSormetFormat, k525_143);
    EXPECT_EQ(Text(IDC_MOVING_VSTEP), "255");
    EXPECT_TRUE(m_view->m_log.empty());
}

// Pictures of each model's page under build/screenshots, to be looked at.
TEST_F(MovingPicturePageTest, SavesAPictureOfEachModelsPage) {
    for (const ModelNumbers& n : kModels) {
        Open(n);
        QDir().mkpath(QUARN_SCREENSHOT_DIR);
        const QString file = QString(QUARN_SCREENSHOT_DIR) + "/moving_picture_page_" +
                             QString::fromLatin1(n.name) + ".png";
        EXPECT_TRUE(m_page->GetWidget()->grab().save(file));
        m_page->DestroyWindow();
    }
}

}  // namespace
}  // namespace corvane::testing
