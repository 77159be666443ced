// Message boxes. Every box of every program goes through MessageBox below.
//
// Without an answerer a real box is shown: the icon, the buttons and the default button the
// type asks for; Escape and the close box answer Cancel (or No, or OK when that is the only
// button). The box never grows past the screen: a long text wraps and scrolls inside it. Tests
// install an answerer instead: it receives a record of each box and returns the button the
// operator would have pressed.
//
// A text longer than 4,096 characters (an instrument's reply can be megabytes) is shown as its
// first 4,096 characters and "..."; the record holds the text as shown.
//
// MessageBeep plays the system sound and is remembered: the next box records whether a beep
// came since the previous box, so tests can check that a program beeped before it asked.
//
// While a wait cursor is active (WaitCursor.h), a box shows the normal arrow.
//
// A worker thread may ask for a box too: the user-interface thread shows it (or its answerer
// answers it) from its event loop, like a posted message, and the worker waits for the
// answer. A worker that asks must therefore be joined with CWorkerThread::JoinDispatching.
#pragma once

#include <functional>
#include <string>

#include "platform/Types.h"

namespace platform {

class CWnd;

// Buttons (the low four bits).
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_TYPEMASK = 0x000F;
// Icons.
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONSTOP = 0x0010;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_ICONMASK = 0x00F0;
// Default button.
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;
// Modality and placement; accepted and recorded, all boxes are application-modal here.
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_TOPMOST = 0x40000;
// MessageBeep's plain beep.
constexpr UINT MB_SIMPLEBEEP = 0xFFFFFFFF;

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    bool beepBefore;  // MessageBeep was called since the previous box
};

// Shows a box owned by `owner` (null: the active window) and returns IDOK, IDCANCEL, IDYES,
// IDNO, IDABORT, IDRETRY or IDIGNORE. An empty caption means the application's title.
int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type);

// A box with the application's title as caption. As the framework did, a type without an
// icon gets one: the exclamation for MB_OK and MB_OKCANCEL, the question mark for MB_YESNO
// and MB_YESNOCANCEL. The recorded type includes that icon.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);

void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

void MessageBeep(UINT type);

using MessageBoxAnswerer = std::function<int(const MessageBoxRecord&)>;
// An empty answerer brings back the real boxes. Returns the answerer it replaces.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace platform
