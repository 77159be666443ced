#include "platform/DataExchange.h"

#include <QLineEdit>
#include <cerrno>
#include <charconv>
#include <cstdlib>

#include "platform/Dialog.h"
#include "platform/MessageBox.h"

namespace platform {

namespace {

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    const size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string Substitute(std::string text, const std::string& first, const std::string& second) {
    const size_t a = text.find("%1");
    if (a != std::string::npos)
        text.replace(a, 2, first);
    const size_t b = text.find("%2");
    if (b != std::string::npos)
        text.replace(b, 2, second);
    return text;
}

void FailWith(CDataExchange* dx, const std::string& text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}

// Writes a control only when its text differs, so that loading an unchanged value raises no
// notification.
void WriteIfDifferent(CDataExchange* dx, int id, const std::string& text) {
    if (dx->m_pDlgWnd->GetDlgItemText(id) != text)
        dx->m_pDlgWnd->SetDlgItemText(id, text);
}

// Index of a radio button among the radio buttons of the group starting at `first`, or the
// number of radio buttons in the group when `target` is 0.
std::vector<int> RadioGroup(const ControlsHost* dialog, int first) {
    std::vector<int> ids;
    const std::vector<ControlTemplate>& controls = dialog->BuiltTemplate().controls;
    size_t i = 0;
    while (i < controls.size() && controls[i].id != first) ++i;
    for (size_t j = i; j < controls.size(); ++j) {
        if (j > i && (controls[j].style & WS_GROUP) != 0)
            break;
        if (controls[j].kind == ControlKind::RadioButton)
            ids.push_back(controls[j].id);
    }
    return ids;
}

}  // namespace

CDataExchange::CDataExchange(ControlsHost* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

void CDataExchange::PrepareCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = false;
}

void CDataExchange::PrepareEditCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = true;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (m_idLastControl == 0 || m_pDlgWnd == nullptr)
        return;
    m_pDlgWnd->GotoDlgCtrl(m_idLastControl);
    if (m_bEditLastControl)
        m_pDlgWnd->SetEditSel(m_idLastControl, 0, -1);
}

bool ParseExchangeInt(const std::string& text, int& value) {
    const std::string t = Trimmed(text);
    if (t.empty())
        return false;
    const char* begin = t.c_str();
    if (*begin == '+')
        ++begin;
    long long parsed = 0;
    const auto [end, ec] = std::from_chars(begin, t.c_str() + t.size(), parsed);
    if (ec != std::errc() || end != t.c_str() + t.size())
        return false;
    if (parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseExchangeDouble(const std::string& text, double& value) {
    const std::string t = Trimmed(text);
    if (t.empty())
        return false;
    // Decimal numbers only: no "inf", "nan" or hexadecimal forms.
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return false;
    const char* begin = t.c_str();
    if (*begin == '+')
        ++begin;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(begin, t.c_str() + t.size(), parsed);
    if (ec != std::errc() || end != t.c_str() + t.size())
        return false;
    value = parsed;
    return true;
}

std::string FormatExchangeDouble(double value) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, end);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    if (dx->Failed())
        return;
    dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = dx->m_pDlgWnd->GetDlgItemText(id);
    else
        WriteIfDifferent(dx, id, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    if (dx->Failed())
        return;
    dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        WriteIfDifferent(dx, id, std::to_string(value));
        return;
    }
    int parsed = 0;
    if (!ParseExchangeInt(dx->m_pDlgWnd->GetDlgItemText(id), parsed)) {
        FailWith(dx, "Please enter an integer.");
        return;
    }
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, unsigned& value) {
    if (dx->Failed())
        return;
    dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        WriteIfDifferent(dx, id, std::to_string(value));
        return;
    }
    const std::string t = Trimmed(dx->m_pDlgWnd->GetDlgItemText(id));
    unsigned parsed = 0;
    const char* begin = t.c_str();
    if (*begin == '+')
        ++begin;
    const auto [end, ec] = std::from_chars(begin, t.c_str() + t.size(), parsed);
    if (t.empty() || ec != std::errc() || end != t.c_str() + t.size()) {
        FailWith(dx, "Please enter a positive integer.");
        return;
    }
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    if (dx->Failed())
        return;
    dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        WriteIfDifferent(dx, id, FormatExchangeDouble(value));
        return;
    }
    double parsed = 0;
    if (!ParseExchangeDouble(dx->m_pDlgWnd->GetDlgItemText(id), parsed)) {
        FailWith(dx, "Please enter a number.");
        return;
    }
    value = parsed;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    if (dx->Failed())
        return;
    dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = dx->m_pDlgWnd->IsDlgButtonChecked(id);
    } else {
        // Out-of-range values show unchecked instead of an undefined state.
        dx->m_pDlgWnd->CheckDlgButton(id, value >= 0 && value <= 2 ? value : 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    if (dx->Failed())
        return;
    dx->PrepareCtrl(id);
    const std::vector<int> group = RadioGroup(dx->m_pDlgWnd, id);
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (dx->m_pDlgWnd->IsDlgButtonChecked(group[i]) != 0) {
                value = static_cast<int>(i);
                break;
            }
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        dx->m_pDlgWnd->CheckDlgButton(group[i], static_cast<int>(i) == value ? 1 : 0);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    if (dx->Failed())
        return;
    dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = dx->m_pDlgWnd->GetCurSel(id);
    else
        dx->m_pDlgWnd->SetCurSel(id, index);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    DDX_CBIndex(dx, id, index);
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value) {
    if (dx->Failed())
        return;
    dx->PrepareCtrl(id);
    ControlsHost* dialog = dx->m_pDlgWnd;
    if (dx->m_bSaveAndValidate) {
        value = dialog->GetDlgItemText(id);
        return;
    }
    if (dialog->SelectString(id, -1, value) == CB_ERR) {
        const ControlTemplate* t = nullptr;
        for (const ControlTemplate& c : dialog->BuiltTemplate().controls)
            if (c.id == id)
                t = &c;
        if (t != nullptr && t->kind == ControlKind::ComboDropDown)
            WriteIfDifferent(dx, id, value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, std::string& value) {
    if (dx->Failed())
        return;
    dx->PrepareCtrl(id);
    ControlsHost* dialog = dx->m_pDlgWnd;
    if (dx->m_bSaveAndValidate) {
        value = dialog->GetDlgItemText(id);
        return;
    }
    const int index = dialog->FindStringExact(id, -1, value);
    if (index != CB_ERR)
        dialog->SetCurSel(id, index);
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
    if (dx->Failed())
        return;
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_idLastControl != 0)
            dx->m_pDlgWnd->LimitText(dx->m_idLastControl, maxChars);
        return;
    }
    if (static_cast<int>(value.size()) > maxChars)
        FailWith(dx, Substitute("Please enter no more than %1 characters.",
                                std::to_string(maxChars), ""));
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (dx->Failed() || !dx->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue)
        FailWith(dx, Substitute("Please enter an integer between %1 and %2.",
                                std::to_string(minValue), std::to_string(maxValue)));
}

void DDV_MinMaxUInt(CDataExchange* dx, unsigned value, unsigned minValue, unsigned maxValue) {
    if (dx->Failed() || !dx->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue)
        FailWith(dx, Substitute("Please enter an integer between %1 and %2.",
                                std::to_string(minValue), std::to_string(maxValue)));
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
    if (dx->Failed() || !dx->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue)
        FailWith(dx, Substitute("Please enter a number between %1 and %2.",
                                FormatExchangeDouble(minValue), FormatExchangeDouble(maxValue)));
}

}  // namespace platform
