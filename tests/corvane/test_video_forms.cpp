// The video module windows' forms and pages built as bare dialogs: every page over the display
// area of its form's tab control, as the view places it, with no control over another, none
// outside its page and no text cut off; the radio groups as the pages read them. A picture of
// every tab is saved under the build tree's screenshots/ to be looked at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/StringTable.h"
#include "resources/corvane/EmbeddedAudioPageForms.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/MovingPicturePageForms.h"
#include "resources/corvane/OltraForms.h"
#include "resources/corvane/OverlayPageForms.h"
#include "resources/corvane/SerialBlackPageForms.h"
#include "resources/corvane/SormetForms.h"
#include "resources/corvane/UlmethForms.h"
#include "resources/corvane/VideoForms.h"
#include "resources/corvane/VideoOutputPageForms.h"
#include "resources/corvane/VideoSignalPageForms.h"
#include "resources/corvane/YarloForms.h"
#include "tests/support/DialogScript.h"

namespace corvane::testing {
namespace {

using platform::ControlKind;
using platform::DialogTemplate;
using RadioGroups = std::vector<std::vector<int>>;

struct Tab {
    std::string text;
    const DialogTemplate& page;
    RadioGroups radios;  // every radio group of the page
};

struct Window {
    std::string model;
    const DialogTemplate& form;
    std::vector<Tab> tabs;
};

const RadioGroups kMovingRadios{{1138, 1139}};
const RadioGroups kOverlayRadios{{1083, 1084, 1085}, {1082, 1198}, {1189, 1199}, {1080, 1200}};
const RadioGroups kAudioRadios{
    {1201, 1202, 1203, 1204}, {1205, 1206}, {1216, 1217}, {1207, 1208, 1209, 1210}};

RadioGroups Channels(RadioGroups more) {
    RadioGroups groups{{1226, 1227}, {1228, 1229}, {1230, 1231}};
    groups.insert(groups.end(), more.begin(), more.end());
    return groups;
}

std::vector<Window> Windows() {
    const auto serial = [](const std::string& name, VideoModel model, const DialogTemplate& form,
                           RadioGroups video, RadioGroups black) {
        return Window{name,
                      form,
                      {{"Signal", VideoSignalPageTemplate(model), {}},
                       {"Moving Picture", MovingPicturePageTemplate(model), kMovingRadios},
                       {"Overlay", OverlayPageTemplate(model), kOverlayRadios},
                       {"Audio", EmbeddedAudioPageTemplate(model), kAudioRadios},
                       {"Video", VideoOutputPageTemplate(model), std::move(video)},
                       {"Black", SerialBlackPageTemplate(model), std::move(black)},
                       {"Black (Audio)", EmbeddedAudioPageTemplate(model), kAudioRadios}}};
    };
    const auto analog = [](const std::string& name, VideoModel model, const DialogTemplate& form,
                           const std::string& videoTab, RadioGroups video) {
        return Window{name,
                      form,
                      {{"Signal", VideoSignalPageTemplate(model), {}},
                       {"Moving Picture", MovingPicturePageTemplate(model), kMovingRadios},
                       {"Overlay", OverlayPageTemplate(model), kOverlayRadios},
                       {videoTab, VideoOutputPageTemplate(model), std::move(video)}}};
    };
    return {
        serial("Sormet", VideoModel::Sormet, SormetFormTemplate(),
               Channels({{1232, 1233}, {1262, 1263}, {1417, 1418}}), {{1232, 1233}, {1262, 1263}}),
        serial("Ulmeth", VideoModel::Ulmeth, UlmethFormTemplate(), Channels({{1417, 1418}}), {}),
        analog("Oltra", VideoModel::Oltra, OltraFormTemplate(), "Video/APL",
               Channels({{1395, 1396}, {1411, 1412}})),
        analog("Yarlo", VideoModel::Yarlo, YarloFormTemplate(), "Video", Channels({{1395, 1396}})),
    };
}

std::string Describe(const platform::ControlTemplate& c) {
    return "control " + std::to_string(c.id) + " \"" + c.text + "\"";
}

// What a control's text needs, or an empty size for a control without a text of its own.
QSize NeededSize(QWidget* w) {
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<QLabel*>(w))
        return {fm.horizontalAdvance(label->text()), fm.height()};
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return {fm.horizontalAdvance(box->title()) + fm.averageCharWidth() * 2, 0};
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return {button->sizeHint().width(), fm.height()};
    if (auto* combo = qobject_cast<QComboBox*>(w); combo != nullptr && combo->count() > 0)
        return {combo->sizeHint().width(), 0};
    return {};
}

QString TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    return {};
}

// The widget of each control: by id, and the id-less texts and frames by their text.
std::vector<QWidget*> ControlWidgets(platform::CDialog& dialog) {
    QList<QWidget*> unclaimed =
        dialog.GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::vector<QWidget*> widgets;
    for (const platform::ControlTemplate& c : dialog.Template().controls) {
        QWidget* w = nullptr;
        if (c.id != platform::IDC_STATIC) {
            w = dialog.GetDlgItem(c.id);
        } else {
            for (QWidget* candidate : unclaimed)
                if (TextOf(candidate) == QString::fromStdString(c.text)) {
                    w = candidate;
                    break;
                }
        }
        unclaimed.removeOne(w);
        widgets.push_back(w);
    }
    return widgets;
}

// The controls of a built dialog lie within `area`, keep clear of each other (a group box
// holds whole controls only) and show their whole texts.
void CheckLayout(platform::CDialog& dialog, const QRect& area) {
    const std::vector<platform::ControlTemplate>& controls = dialog.Template().controls;
    const std::vector<QWidget*> widgets = ControlWidgets(dialog);
    for (size_t i = 0; i < controls.size(); ++i) {
        QWidget* w = widgets[i];
        ASSERT_NE(w, nullptr) << Describe(controls[i]);
        const QRect r = w->geometry();
        EXPECT_TRUE(area.contains(r)) << Describe(controls[i]) << " leaves its page";
        const QSize needed = NeededSize(w);
        EXPECT_LE(needed.width(), r.width()) << Describe(controls[i]) << " is cut off";
        EXPECT_LE(needed.height(), r.height()) << Describe(controls[i]) << " is cut off";
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const QRect other = widgets[j]->geometry();
            if (!r.intersects(other))
                continue;
            const bool framed = (controls[i].kind == ControlKind::GroupBox && r.contains(other)) ||
                                (controls[j].kind == ControlKind::GroupBox && other.contains(r));
            EXPECT_TRUE(framed) << Describe(controls[i]) << " overlaps " << Describe(controls[j]);
        }
    }
}

// Choosing the last button of a group clears that group's first button and leaves every
// other group alone.
void CheckRadioGroups(platform::CDialog& page, const RadioGroups& groups) {
    for (const std::vector<int>& group : groups) page.ClickButton(group.front());
    for (const std::vector<int>& group : groups) {
        ASSERT_TRUE(page.ClickButton(group.back())) << group.back();
        EXPECT_EQ(page.IsDlgButtonChecked(group.back()), 1) << group.back();
        EXPECT_EQ(page.IsDlgButtonChecked(group.front()), 0) << group.front();
        for (const std::vector<int>& other : groups) {
            if (&other != &group) {
                EXPECT_EQ(page.IsDlgButtonChecked(other.front()), 1)
                    << group.back() << " cleared " << other.front();
            }
        }
        page.ClickButton(group.front());
    }
}

std::string FileName(const std::string& model, const std::string& tab) {
    std::string name = "video_" + model + "_" + tab;
    for (char& c : name)
        if (c == ' ' || c == '/' || c == '(' || c == ')')
            c = '_';
    return name + ".png";
}

TEST(VideoForms, EveryTabsPageFitsItsFormAndKeepsItsControlsApart) {
    QDir().mkpath(QUARN_SCREENSHOT_DIR);
    for (const Window& window : Windows()) {
        SCOPED_TRACE(window.model);
        platform::CDialog form(window.form);
        testsupport::DialogScript script;
        script.Expect(window.form.id, [&](platform::CDialog& f) {
            {
                SCOPED_TRACE("form");
                CheckLayout(f, f.GetWidget()->rect());
            }
            for (size_t i = 0; i < window.tabs.size(); ++i)
                f.InsertTabItem(IDC_MODULE_TAB, static_cast<int>(i), window.tabs[i].text);
            const QRect area = f.GetTabDisplayRect(IDC_MODULE_TAB);
            for (size_t i = 0; i < window.tabs.size(); ++i) {
                const Tab& tab = window.tabs[i];
                SCOPED_TRACE(tab.text);
                platform::CDialog page(tab.page);
                ASSERT_TRUE(page.Create(&f));
                page.MoveWindow(area.x(), area.y(), area.width(), area.height());
                page.ShowWindow(true);
                f.SetTabCurSel(IDC_MODULE_TAB, static_cast<int>(i));
                CheckLayout(page, QRect(QPoint(0, 0), area.size()));
                CheckRadioGroups(page, tab.radios);
                const QString file = QString(QUARN_SCREENSHOT_DIR) + "/" +
                                     QString::fromStdString(FileName(window.model, tab.text));
                EXPECT_TRUE(f.GetWidget()->grab().save(file));
                page.DestroyWindow();
            }
            f.ClickButton(IDC_MODULE_CANCEL);
        });
        form.DoModal();
    }
}

TEST(VideoForms, OnlyTheYarloFormStartsWithApplyEnabled) {
    const std::vector<std::pair<const DialogTemplate*, bool>> forms{{&SormetFormTemplate(), false},
                                                                    {&UlmethFormTemplate(), false},
                                                                    {&OltraFormTemplate(), false},
                                                                    {&YarloFormTemplate(), true}};
    for (const auto& [form, enabled] : forms) {
        for (const platform::ControlTemplate& c : form->controls) {
            if (c.id == IDC_MODULE_APPLY) {
                EXPECT_EQ((c.style & platform::WS_DISABLED) == 0, enabled) << form->id;
            }
        }
    }
}

TEST(VideoForms, AnalogModelsHaveNoAudioOrBlackPages) {
    for (VideoModel model : {VideoModel::Oltra, VideoModel::Yarlo}) {
        EXPECT_THROW(EmbeddedAudioPageTemplate(model), std::invalid_argument);
        EXPECT_THROW(SerialBlackPageTemplate(model), std::invalid_argument);
    }
}

TEST(VideoForms, HdClockQuestionsAreInTheStringTable) {
    RegisterVideoPageStrings();
    EXPECT_EQ(platform::LoadString(IDS_HD_CLOCK_IS_7425),
              "HD Clock is 74.25 MHz.\n\nAre you sure want to change format?");
    EXPECT_EQ(platform::LoadString(IDS_HD_CLOCK_IS_7418),
              "HD Clock is 74.18 MHz.\n\nAre you sure want to change format?");
}

}  // namespace
}  // namespace corvane::testing
