// The controls of a window built from a dialog template, addressed by id.
//
// CDialog (and any form-like window) derives from ControlsHost next to CWnd. BuildControls
// creates one Qt widget per template control on a surface widget; from then on the window
// reads and writes its controls by id, and the controls report to the owner with the
// notification rules of Windows, which the programs depend on:
//
//  - An edit whose text the program writes (SetDlgItemText, SetDlgItemInt) raises EN_UPDATE
//    then EN_CHANGE, even when the text does not change. Writing a static raises nothing.
//  - A combo or list box raises CBN_SELCHANGE / LBN_SELCHANGE only for the operator's choice,
//    and only when the index changes; SetCurSel, AddString and the like raise nothing.
//  - An up-down control keeps the Windows default range (lower 100, upper 0) and the sign of
//    its step as Windows reports it (Controls.h, NMUPDOWN). A step by the operator raises
//    UDN_DELTAPOS (OnNotify; nonzero cancels), moves the position, writes the buddy's text
//    when the style has UDS_SETBUDDYINT (an ordinary program write, so the buddy raises its
//    notifications), then OnVScroll(SB_THUMBPOSITION) and, on release, SB_ENDSCROLL.
//    Program writes (SetPos, UDM_SETPOS) move the buddy text but raise no scroll.
//  - EN_SETFOCUS / EN_KILLFOCUS (CBN_ for combos) when the focus moves, BN_CLICKED for buttons.
//
// WM_COMMAND notifications go through the owner CWnd's SendMessage, so they reach its
// WindowProc and OnCommand(id, code). WM_NOTIFY and scroll notifications call the virtual
// functions below.
//
// Texts are single-byte; widgets hold them as Latin-1 (Wnd.h).
//
// The operator actions (ClickButton ... ChooseTab) are for tests: each goes through the same
// path as real input and returns false, doing nothing, where the operator could not act
// (no such control, disabled, hidden, read-only).
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/DialogTemplate.h"
#include "platform/Types.h"

namespace platform {

class CWnd;

class ControlsHost {
public:
    ControlsHost();
    virtual ~ControlsHost();
    ControlsHost(const ControlsHost&) = delete;
    ControlsHost& operator=(const ControlsHost&) = delete;

    // Pixel size of dialog units for a font: x = units * base.x / 4, y = units * base.y / 8.
    static QPoint DialogBaseUnits(const QFont& font);
    static QRect MapDialogRect(const QRect& units, const QFont& font);
    // A control's text as shown, without the access-key markers: "&&" is a literal '&'.
    static QString WithoutAccessKeys(const QString& text);

    // Creates the template's controls on `surface` (which keeps them as children) and
    // reports their notifications to `owner`.
    void BuildControls(const DialogTemplate& dialogTemplate, QWidget* surface, CWnd* owner);
    // Forgets the controls (their widgets go with the surface).
    void ForgetControls();
    // The template the controls were built from (data exchange reads radio groups from it).
    const DialogTemplate& BuiltTemplate() const { return m_builtTemplate; }

    QWidget* GetDlgItem(int id) const;
    bool HasDlgItem(int id) const { return GetDlgItem(id) != nullptr; }
    // The id of the control holding the focus, 0 when none does.
    int GetFocusId() const { return m_focusId; }

    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, int value, bool isSigned = true);
    // Leading blanks, an optional '-' (signed only) and digits; stops at the first other
    // character. Fails (ok = false, result 0) without digits or when the number overflows.
    int GetDlgItemInt(int id, bool* ok = nullptr, bool isSigned = true) const;

    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int id);

    void EnableDlgItem(int id, bool enable);
    bool IsDlgItemEnabled(int id) const;
    void ShowDlgItem(int id, bool show);
    bool IsDlgItemVisible(int id) const;
    // Gives the focus to a control as the program does; the focus notifications follow.
    void GotoDlgCtrl(int id);
    void SetEditSel(int id, int start, int end);  // end -1: to the end

    // EM_LIMITTEXT: limits what the operator can type; the program can still write more.
    void LimitText(int id, int maxChars);
    // The text of this field travels in single-byte commands: no input method on it.
    void DisableInputMethod(int id);

    // Combo and list boxes. Indexes are 0-based; -1 (CB_ERR) means none or failure.
    int AddString(int id, const std::string& text);                // sorted boxes insert in order
    int InsertString(int id, int index, const std::string& text);  // index -1: at the end
    int DeleteString(int id, int index);                           // returns the new count
    void ResetContent(int id);
    int SetCurSel(int id, int index);  // -1 clears; returns the index or CB_ERR
    int GetCurSel(int id) const;
    int GetCount(int id) const;
    std::string GetLBText(int id, int index) const;
    int FindStringExact(int id, int start, const std::string& text) const;  // case-insensitive
    int SelectString(int id, int start, const std::string& prefix);  // selects a prefix match
    int SetItemData(int id, int index, std::intptr_t data);
    std::intptr_t GetItemData(int id, int index) const;
    // Reserves room for `items` more items; answers CB_ERRSPACE when the box cannot take them.
    int InitStorage(int id, int items, int bytes);

    // Progress bars and up-down controls.
    void SetRange32(int id, int lower, int upper);
    void GetRange32(int id, int& lower, int& upper) const;
    int SetPos(int id, int pos);  // returns the previous position
    // The position; for an up-down with UDS_SETBUDDYINT, first taken from the buddy's text
    // when that is a number in range (ok = false when it is not).
    int GetPos(int id, bool* ok = nullptr);
    int SetStep(int id, int step);  // progress; returns the previous step
    int StepIt(int id);             // progress; wraps to the lower limit past the upper one
    int OffsetPos(int id, int delta);
    int GetBuddy(int id) const;  // up-down: the buddy's control id, 0 when none

    // IP-address controls; the first number is in the highest byte.
    void SetIpAddress(int id, std::uint32_t address);
    int GetIpAddress(int id, std::uint32_t& address) const;  // number of non-blank fields
    void ClearIpAddress(int id);
    bool IsIpAddressBlank(int id) const;

    // Tab controls.
    int InsertTabItem(int id, int index, const std::string& text);
    void DeleteAllTabItems(int id);
    int GetTabCount(int id) const;
    int GetTabCurSel(int id) const;
    int SetTabCurSel(int id, int index);    // no notification; returns the previous selection
    QRect GetTabDisplayRect(int id) const;  // in the surface's coordinates

    // The control messages pages send by number (UDM_, PBM_, EM_LIMITTEXT, EM_SETSEL,
    // CB_INITSTORAGE). Other messages answer 0.
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Operator actions.
    bool ClickButton(int id);  // check boxes and radio buttons toggle first, as a click does
    bool TypeText(int id, const std::string& text);  // replaces the text as typing would
    bool ChooseComboItem(int id, int index);         // also list boxes
    bool SpinBy(int id, int clicks);  // > 0: the up (right) arrow, < 0: the down (left) arrow
    bool FocusControl(int id);
    bool TypeIpAddress(int id, const std::string& dotted);
    bool ChooseTab(int id, int index);

    // WM_NOTIFY: UDN_DELTAPOS (data: NMUPDOWN*), TCN_SELCHANGING (answer nonzero to refuse),
    // TCN_SELCHANGE, IPN_FIELDCHANGED. Return TRUE when handled; *result is the answer.
    virtual BOOL OnNotify(int id, int code, void* data, LRESULT* result);
    // WM_VSCROLL / WM_HSCROLL from up-down controls: code SB_THUMBPOSITION with the new
    // position, or SB_ENDSCROLL.
    virtual void OnVScroll(int code, int pos, int id);
    virtual void OnHScroll(int code, int pos, int id);

protected:
    struct Control {
        int id = 0;
        ControlKind kind = ControlKind::Static;
        unsigned style = 0;
        QPointer<QWidget> widget;
        // Up-down state, as Windows keeps it: lower may be above upper.
        int lower = 100;
        int upper = 0;
        int pos = 0;
        int buddy = -1;  // index into m_controls
        // Progress.
        int step = 10;
        // Combo and list boxes: the selection the operator last saw, for change detection.
        int lastSelection = -1;
        int limit = 0;  // 0: none
    };

    Control* Find(int id);
    const Control* Find(int id) const;
    void NotifyCommand(int id, int code);
    LRESULT NotifyOwner(int id, int code, void* data);
    // Writes an edit's (or combo's) text as the program does: notifications even if unchanged.
    void WriteText(Control& control, const std::string& text);
    std::string ReadText(const Control& control) const;

private:
    QWidget* CreateWidget(const ControlTemplate& t, QWidget* surface, const QFont& font);
    void WireControl(Control& control, const ControlTemplate& t);
    void FocusChanged(int newId);
    bool OperatorCanUse(const Control* control) const;
    void ClickRadio(Control& control);
    int RadioGroupEnd(size_t index) const;
    void ListSelectionChanged(Control& control, int index);
    // Up-down.
    void AttachBuddy(size_t index);
    void UpDownStep(Control& control, int arrow);
    void UpDownRelease(Control& control);
    bool UpDownReadBuddy(Control& control);
    void UpDownWriteBuddy(Control& control);
    void UpDownScroll(Control& control, int code);
    void PlaceUpDown(Control& control);

    std::vector<Control> m_controls;
    DialogTemplate m_builtTemplate{};
    CWnd* m_owner = nullptr;
    QPointer<QWidget> m_surface;
    int m_focusId = 0;
    int m_programWrite = 0;  // > 0 while the program itself changes a control
};

}  // namespace platform
