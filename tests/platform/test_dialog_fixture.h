// A dialog for the tests of the dialog layer: a sample template with one control of each
// kind the pages use, and a record of every notification the dialog receives.
#pragma once

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"

namespace dialogtest {

using namespace platform;

constexpr int kName = 1001;
constexpr int kLabel = 1002;
constexpr int kCombo = 1003;
constexpr int kBuddy = 1004;
constexpr int kBuddySpin = 1005;
constexpr int kFreeSpin = 1006;
constexpr int kCheck = 1007;
constexpr int kRadioOne = 1008;
constexpr int kRadioTwo = 1009;
constexpr int kRadioThree = 1010;
constexpr int kAfterGroup = 1011;
constexpr int kAddress = 1012;
constexpr int kProgress = 1013;
constexpr int kNumber = 1014;
constexpr int kSorted = 1015;
constexpr int kReadOnly = 1016;

inline DialogTemplate SampleTemplate(unsigned style = DS_MODALFRAME | DS_CENTER) {
    return DialogTemplate{
        100,
        "Sample",
        220,
        150,
        {
            {ControlKind::Static, IDC_STATIC, "&Name", 7, 9, 40, 8},
            {ControlKind::Edit, kName, "", 50, 7, 90, 12, WS_TABSTOP | ES_AUTOHSCROLL},
            {ControlKind::Static, kLabel, "Label", 150, 9, 60, 8},
            {ControlKind::ComboDropDownList,
             kCombo,
             "",
             50,
             23,
             90,
             60,
             WS_TABSTOP,
             {"Alpha", "Beta", "Gamma"}},
            {ControlKind::Edit, kBuddy, "", 50, 39, 45, 12, WS_TABSTOP},
            {ControlKind::UpDown, kBuddySpin, "", 95, 39, 10, 12,
             UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
            {ControlKind::UpDown, kFreeSpin, "", 110, 39, 10, 12},
            {ControlKind::CheckBox, kCheck, "Check", 7, 56, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
            {ControlKind::RadioButton, kRadioOne, "One", 7, 70, 40, 10, WS_GROUP | WS_TABSTOP},
            {ControlKind::RadioButton, kRadioTwo, "Two", 50, 70, 40, 10},
            {ControlKind::RadioButton, kRadioThree, "Three", 93, 70, 40, 10},
            {ControlKind::Static, kAfterGroup, "Address", 7, 88, 40, 8, WS_GROUP},
            {ControlKind::IpAddress, kAddress, "", 50, 86, 90, 13, WS_TABSTOP},
            {ControlKind::Progress, kProgress, "", 7, 104, 133, 8},
            {ControlKind::Edit, kNumber, "", 150, 23, 60, 12, ES_NUMBER | WS_TABSTOP},
            {ControlKind::ComboDropDownList,
             kSorted,
             "",
             150,
             39,
             60,
             60,
             CBS_SORT,
             {"pear", "Apple", "fig"}},
            {ControlKind::Edit, kReadOnly, "fixed", 150, 56, 60, 12, ES_READONLY},
            {ControlKind::DefPushButton, IDOK, "OK", 105, 128, 50, 14, WS_TABSTOP},
            {ControlKind::PushButton, IDCANCEL, "Cancel", 163, 128, 50, 14, WS_TABSTOP},
        },
        style};
}

struct Event {
    std::string what;  // "cmd", "notify", "vscroll"
    int id;
    int code;
    int a = 0;  // notify: iPos; vscroll: position
    int b = 0;  // notify: iDelta
    bool operator==(const Event&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << e.what << "(" << e.id << ", " << e.code << ", " << e.a << ", " << e.b << ")";
}

class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(const DialogTemplate& t = SampleTemplate(), CWnd* parent = nullptr)
        : CDialog(t, parent) {}

    BOOL OnInitDialog() override {
        m_initialised = true;
        return CDialog::OnInitDialog();
    }
    BOOL OnCommand(int id, int code) override {
        m_events.push_back({"cmd", id, code});
        return CDialog::OnCommand(id, code);
    }
    BOOL OnNotify(int id, int code, void* data, LRESULT* result) override {
        Event e{"notify", id, code};
        if (code == UDN_DELTAPOS) {
            auto* nm = static_cast<NMUPDOWN*>(data);
            e.a = nm->iPos;
            e.b = nm->iDelta;
            if (m_deltaOverride != 0)
                nm->iDelta = m_deltaOverride;
        }
        m_events.push_back(e);
        *result = m_notifyAnswer;
        return TRUE;
    }
    void OnVScroll(int code, int pos, int id) override {
        m_events.push_back({"vscroll", id, code, pos});
    }
    void OnOK() override {
        m_okCalls++;
        CDialog::OnOK();
    }
    void OnCancel() override {
        m_cancelCalls++;
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, kName, m_name);
        DDV_MaxChars(dx, m_name, 8);
        DDX_CBIndex(dx, kCombo, m_comboIndex);
        DDX_Check(dx, kCheck, m_check);
        DDX_Radio(dx, kRadioOne, m_radio);
        if (m_exchangeNumber) {
            DDX_Text(dx, kNumber, m_number);
            DDV_MinMaxInt(dx, m_number, 1, 99);
        }
    }

    // Only the command notifications of one control.
    std::vector<int> CodesOf(int id) const {
        std::vector<int> codes;
        for (const Event& e : m_events)
            if (e.what == "cmd" && e.id == id)
                codes.push_back(e.code);
        return codes;
    }

    std::vector<Event> m_events;
    bool m_initialised = false;
    int m_okCalls = 0;
    int m_cancelCalls = 0;
    LRESULT m_notifyAnswer = 0;
    int m_deltaOverride = 0;
    std::string m_name;
    int m_comboIndex = -1;
    int m_check = 0;
    int m_radio = -1;
    bool m_exchangeNumber = false;
    int m_number = 0;
};

}  // namespace dialogtest
