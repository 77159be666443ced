// Basic scalar types and message numbers of the window system the programs were written for.
//
// wParam and lParam are pointer-sized. WPARAM is unsigned and LPARAM signed, as on Windows:
// a negative int sent as WPARAM comes back unchanged when the receiver casts it to int.
#pragma once

#include <cstdint>

namespace platform {

using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Messages the layer itself sends. Private messages of the programs start at WM_USER.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr UINT WM_TIMER = 0x0113;
// The operator's regional settings changed (a frame receives it when Qt reports a new locale).
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_USER = 0x0400;

// Command ids 0xE000 and up belong to the framework (Exit, About, Window commands...).
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Notification codes carried in the high word of WM_COMMAND's wParam.
constexpr int BN_CLICKED = 0;
constexpr int CBN_SELCHANGE = 1;
constexpr int CBN_DBLCLK = 2;
constexpr int CBN_SETFOCUS = 3;
constexpr int CBN_KILLFOCUS = 4;
constexpr int CBN_EDITCHANGE = 5;
constexpr int CBN_EDITUPDATE = 6;
constexpr int CBN_SELENDOK = 9;
constexpr int EN_SETFOCUS = 0x0100;
constexpr int EN_KILLFOCUS = 0x0200;
constexpr int EN_CHANGE = 0x0300;
constexpr int EN_UPDATE = 0x0400;
constexpr int LBN_SELCHANGE = 1;

constexpr WPARAM MakeWParam(int low, int high) {
    return static_cast<WPARAM>((static_cast<unsigned>(low) & 0xFFFFu) |
                               ((static_cast<unsigned>(high) & 0xFFFFu) << 16));
}
constexpr int LoWord(WPARAM value) {
    return static_cast<int>(value & 0xFFFFu);
}
constexpr int HiWord(WPARAM value) {
    return static_cast<int>((value >> 16) & 0xFFFFu);
}

}  // namespace platform
