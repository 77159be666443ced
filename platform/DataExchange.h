// Dialog data exchange: moving values between a dialog's members and its controls.
//
// CDialog::UpdateData (and CFormView's) builds a CDataExchange and calls DoDataExchange, which
// lists DDX_ (exchange) and DDV_ (validation) calls. With m_bSaveAndValidate the controls are read
// into the members and checked; otherwise the members are written to the controls, and a control is
// written only when its text differs, so an unchanged field raises no notification.
//
// A failure shows the Windows text (exclamation icon), puts the focus on the control (and
// selects an edit's text) and makes UpdateData return FALSE. The remaining calls of that
// DoDataExchange then do nothing, as the exchange stops at the first failure.
//
// Numbers are read as decimal text in the "C" form: blanks around the number are allowed,
// anything else after it is a failure, and so is an integer outside the int range. Doubles
// are written as "%.15g" with '.'.
#pragma once

#include <string>

namespace platform {

class ControlsHost;

class CDataExchange {
public:
    CDataExchange(ControlsHost* host, bool saveAndValidate);

    // Remembers the control the following DDV_ call checks.
    void PrepareCtrl(int id);
    void PrepareEditCtrl(int id);
    // Focuses the last prepared control and marks the exchange failed.
    void Fail();
    bool Failed() const { return m_failed; }

    bool m_bSaveAndValidate;
    ControlsHost* m_pDlgWnd;  // the dialog or form view whose controls are exchanged
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;

private:
    bool m_failed = false;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, unsigned& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// `id` is the first radio button of a group (WS_GROUP); value is the index of the checked
// button among the group's radio buttons, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, std::string& value);       // prefix match
void DDX_CBStringExact(CDataExchange* dx, int id, std::string& value);  // whole match
void DDX_LBIndex(CDataExchange* dx, int id, int& index);

// When loading, DDV_MaxChars limits the field as EM_LIMITTEXT; the others check on save only.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, unsigned value, unsigned minValue, unsigned maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);

// The parsing rules above, for callers that need them outside an exchange.
bool ParseExchangeInt(const std::string& text, int& value);
bool ParseExchangeDouble(const std::string& text, double& value);
std::string FormatExchangeDouble(double value);

}  // namespace platform
