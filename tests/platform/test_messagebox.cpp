// Message boxes through the answerer, the BoxScript fixture, the wait cursor and the file
// dialogs' answerer.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "tests/support/BoxScript.h"

namespace {

using namespace platform;
using testsupport::BoxScript;

class MessageBoxes : public testing::Test {
protected:
    void SetUp() override {
        m_title = ApplicationTitle();
        SetApplicationTitle("Corvane");
    }
    void TearDown() override { SetApplicationTitle(m_title); }
    std::string m_title;
};

TEST_F(MessageBoxes, AnswererReceivesTextCaptionTypeAndBeep) {
    BoxScript script;
    script.ExpectAny(IDYES).ExpectAny(IDOK).ExpectAny(IDOK);
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Title", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
              IDYES);
    EXPECT_EQ(MessageBox(nullptr, "second", "", MB_OK), IDOK);
    EXPECT_EQ(AfxMessageBox("third"), IDOK);
    ASSERT_EQ(script.Records().size(), 3u);
    const MessageBoxRecord& first = script.Records()[0];
    EXPECT_EQ(first.text, "Save?");
    EXPECT_EQ(first.caption, "Title");
    EXPECT_EQ(first.type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_TRUE(first.beepBefore);
    // A beep counts for the next box only; an empty caption is the application's title.
    EXPECT_FALSE(script.Records()[1].beepBefore);
    EXPECT_EQ(script.Records()[1].caption, "Corvane");
    EXPECT_EQ(script.Records()[1].type, MB_OK);
}

TEST_F(MessageBoxes, AfxMessageBoxAddsTheFrameworkDefaultIcon) {
    BoxScript script;
    script.Expect("ok", MB_OK | MB_ICONEXCLAMATION, IDOK)
        .Expect("ask", MB_YESNO | MB_ICONQUESTION, IDNO)
        .Expect("keep", MB_OK | MB_ICONSTOP, IDOK)
        .Expect("retry", MB_RETRYCANCEL, IDRETRY);
    AfxMessageBox("ok");
    EXPECT_EQ(AfxMessageBox("ask", MB_YESNO), IDNO);
    AfxMessageBox("keep", MB_ICONSTOP);
    EXPECT_EQ(AfxMessageBox("retry", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(script.Records()[0].caption, "Corvane");
}

TEST_F(MessageBoxes, ScriptFailsOnUnexpectedMismatchedAndMissingBoxes) {
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            BoxScript script;
            answer = MessageBox(nullptr, "surprise", "", MB_YESNO);
        },
        "unexpected message box: \"surprise\"");
    EXPECT_EQ(answer, IDNO);  // the refusing answer

    EXPECT_NONFATAL_FAILURE(
        {
            BoxScript script;
            script.Expect("one text", MB_OK, IDOK);
            answer = MessageBox(nullptr, "other text", "", MB_OKCANCEL);
            // The refused box leaves the expectation in place for the right one.
            MessageBox(nullptr, "one text", "", MB_OK);
        },
        "does not match the expected \"one text\"");
    EXPECT_EQ(answer, IDCANCEL);

    EXPECT_NONFATAL_FAILURE(
        {
            BoxScript script;
            script.Expect("never", MB_OK, IDOK);
        },
        "expected message box never shown: \"never\"");
}

TEST_F(MessageBoxes, ScriptsNestAndRestoreTheOuterAnswerer) {
    BoxScript outer;
    outer.ExpectAny(IDOK);
    {
        BoxScript inner;
        inner.ExpectAny(IDRETRY);
        EXPECT_EQ(MessageBox(nullptr, "inner", "", MB_RETRYCANCEL), IDRETRY);
    }
    EXPECT_EQ(MessageBox(nullptr, "outer", "", MB_OK), IDOK);
    EXPECT_EQ(outer.Records().size(), 1u);
}

TEST(WaitCursor, NestsAndEndsWithTheLastOne) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    BeginWaitCursor();
    {
        CWaitCursor inner;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EndWaitCursor();  // one too many does nothing
    EXPECT_FALSE(IsWaitCursorActive());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WaitCursor, MessageBoxShowsTheArrowAndTheWaitComesBack) {
    CWaitCursor wait;
    Qt::CursorShape during = Qt::BlankCursor;
    SetMessageBoxAnswerer([&](const MessageBoxRecord&) {
        during = QApplication::overrideCursor()->shape();
        return IDOK;
    });
    MessageBox(nullptr, "busy", "", MB_OK);
    SetMessageBoxAnswerer({});
    EXPECT_EQ(during, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST(WaitCursor, NoCursorChangeWithoutAWait) {
    BoxScript script;
    script.ExpectAny(IDOK);
    MessageBox(nullptr, "idle", "", MB_OK);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(FileDialogs, WindowsFiltersBecomeQtFilters) {
    EXPECT_EQ(QtFilterFromWindows("Text (*.txt)|*.txt|All Files (*.*)|*.*||"),
              "Text (*.txt);;All Files (*)");
    EXPECT_EQ(QtFilterFromWindows("Pictures|*.bmp;*.raw||"), "Pictures (*.bmp *.raw)");
    EXPECT_EQ(QtFilterFromWindows(""), "");
}

TEST(FileDialogs, AnswererChoosesOrCancels) {
    std::vector<FileDialogRecord> seen;
    SetFileDialogAnswerer([&](const FileDialogRecord& r, std::vector<std::string>& chosen) {
        seen.push_back(r);
        if (r.kind == FileDialogKind::Open)
            chosen = {"/a/one.txt", "/a/two.txt"};
        if (r.kind == FileDialogKind::Save)
            chosen = {"/a/out"};
        return r.kind != FileDialogKind::Folder;
    });
    std::string path = "/start";
    std::vector<std::string> files;
    EXPECT_TRUE(GetOpenFileName(nullptr, "Open", "Text|*.txt||", path, &files));
    EXPECT_EQ(path, "/a/one.txt");
    EXPECT_EQ(files.size(), 2u);
    EXPECT_TRUE(GetSaveFileName(nullptr, "Save", "Text|*.txt||", path, "txt"));
    EXPECT_EQ(path, "/a/out.txt");
    std::string folder = "/keep";
    EXPECT_FALSE(BrowseForFolder(nullptr, "Folder", folder));
    EXPECT_EQ(folder, "/keep");  // a cancelled pick changes nothing
    SetFileDialogAnswerer({});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].initialPath, "/start");
    EXPECT_TRUE(seen[0].multiple);
    EXPECT_EQ(seen[1].filter, "Text|*.txt||");
}

}  // namespace

namespace {

// Without an answerer the real box comes up; Escape gives the Windows answer for its buttons.
int AnswerRealBoxWithEscape(platform::UINT type) {
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        }
    });
    return platform::MessageBox(nullptr, "real", "Real", type);
}

TEST(RealMessageBox, EscapeAnswersCancelNoOrTheOnlyButton) {
    EXPECT_EQ(AnswerRealBoxWithEscape(platform::MB_OKCANCEL), platform::IDCANCEL);
    EXPECT_EQ(AnswerRealBoxWithEscape(platform::MB_YESNO), platform::IDNO);
    EXPECT_EQ(AnswerRealBoxWithEscape(platform::MB_OK | platform::MB_ICONSTOP), platform::IDOK);
}

}  // namespace

namespace {

// What a real box looks like from inside its own event loop; it is then closed with Escape.
struct ShownBox {
    QRect frame;
    QRect screen;
    std::vector<QRect> buttons;
    std::string text;
};

ShownBox ShowAndMeasure(const std::string& text, platform::UINT type) {
    ShownBox seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr)
            return;
        seen.frame = box->frameGeometry();
        seen.screen = box->screen()->availableGeometry();
        for (QPushButton* button : box->findChildren<QPushButton*>())
            seen.buttons.emplace_back(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (auto* area = box->findChild<QTextEdit*>())
            seen.text = area->toPlainText().toStdString();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    platform::MessageBox(nullptr, text, "Real", type);
    return seen;
}

std::string Lines(size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += "-222,\"Invalid data in the reply of the instrument\"\n";
    return text.substr(0, bytes);
}

TEST(RealMessageBox, AHugeTextIsCutAndTheBoxWithItsButtonsStaysOnTheScreen) {
    struct Case {
        const char* name;
        std::string text;
        platform::UINT type;
        size_t buttons;
        bool cut;
    };
    const size_t mebibyte = size_t{1} << 20;
    for (const Case& c : {
             Case{"one word of 1 MiB", std::string(mebibyte, 'E'), platform::MB_OK, 1, true},
             Case{"1 MiB of lines", Lines(mebibyte), platform::MB_YESNOCANCEL, 3, true},
             Case{"the longest text shown whole", Lines(4096), platform::MB_OKCANCEL, 2, false},
             Case{"a program's own text", "Save changes to Tavix?", platform::MB_YESNO, 2, false},
         }) {
        SCOPED_TRACE(c.name);
        const ShownBox seen = ShowAndMeasure(c.text, c.type | platform::MB_ICONSTOP);
        ASSERT_FALSE(seen.frame.isEmpty()) << "no box came up";
        EXPECT_EQ(seen.text, c.cut ? c.text.substr(0, 4096) + "..." : c.text);
        EXPECT_TRUE(seen.screen.contains(seen.frame))
            << "box " << seen.frame.width() << "x" << seen.frame.height() << " at "
            << seen.frame.x() << "," << seen.frame.y();
        ASSERT_EQ(seen.buttons.size(), c.buttons);
        for (const QRect& button : seen.buttons) {
            EXPECT_TRUE(seen.frame.contains(button));
            EXPECT_TRUE(seen.screen.contains(button));
        }
    }
}

// A screen reader announces the box as an alert and reads its message from the box's text.
TEST(RealMessageBox, AssistiveTechnologyReadsAnAlertAndItsMessage) {
    for (const std::string& text : {std::string("Recall 'Studio A' ?"), std::string(5000, 'E')}) {
        const std::string shown = text.size() > 4096 ? text.substr(0, 4096) + "..." : text;
        QAccessible::Role role = QAccessible::NoRole;
        QString name;
        QString description;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr)
                return;
            role = QAccessible::queryAccessibleInterface(box)->role();
            if (auto* area = box->findChild<QTextEdit*>()) {
                QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(area);
                name = readable->text(QAccessible::Name);
                description = readable->text(QAccessible::Description);
            }
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        });
        platform::MessageBox(nullptr, text, "Real", platform::MB_YESNO | platform::MB_ICONQUESTION);
        EXPECT_EQ(role, QAccessible::AlertMessage);
        EXPECT_EQ(name.toStdString(), shown);
        EXPECT_EQ(description.toStdString(), shown);
    }
}

TEST(MessageBoxText, TheAnswererIsGivenTheTextAsTheBoxShowsIt) {
    testsupport::BoxScript script;
    const std::string huge(5000, 'R');
    script.ExpectAny(platform::IDOK)
        .Expect(std::string(4096, 'R'), platform::MB_OK, platform::IDOK);
    platform::MessageBox(nullptr, huge, "", platform::MB_OK);
    platform::MessageBox(nullptr, std::string(4096, 'R'), "", platform::MB_OK);
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Records()[0].text, huge.substr(0, 4096) + "...");
}

}  // namespace
