#include "corvane/pages/common/TabPage.h"

#include <cmath>
#include <limits>

#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/View.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

CTabPage::CTabPage(const platform::DialogTemplate& pageTemplate) : platform::CDialog(pageTemplate) {
    RegisterModuleStrings();
}

CTabPage::~CTabPage() = default;

platform::CView* CTabPage::ParentView() const {
    return dynamic_cast<platform::CView*>(GetParent());
}

platform::CDocument* CTabPage::ParentDocument() const {
    platform::CView* view = ParentView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

platform::LRESULT CTabPage::SendToView(platform::UINT message, platform::WPARAM wParam,
                                       platform::LPARAM lParam) {
    platform::CWnd* view = GetParent();
    return view != nullptr ? view->SendMessage(message, wParam, lParam) : 0;
}

void CTabPage::WriteControls() {
    ReadyOff off(*this);
    UpdateData(platform::FALSE);
}

void CTabPage::WriteText(int id, const std::string& text) {
    ReadyOff off(*this);
    SetDlgItemText(id, text);
}

void CTabPage::WriteSpin(int spinId, int position) {
    ReadyOff off(*this);
    SendDlgItemMessage(spinId, platform::UDM_SETPOS, 0,
                       static_cast<platform::LPARAM>(position & 0xFFFF));
}

int CTabPage::CheckIntegerField(int editId, int spinId, int lower, int upper,
                                const char* messageFormat, int& stored) {
    const int value = platform::StrToInt(GetDlgItemText(editId).c_str());
    if (value >= lower && value <= upper) {
        stored = value;
        return 1;
    }
    platform::AfxMessageBox(platform::Format(messageFormat, lower, upper),
                            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    WriteText(editId, platform::Format("%d", stored));
    if (spinId != 0)
        WriteSpin(spinId, stored);
    GotoDlgCtrl(editId);
    return 0;
}

void CTabPage::RewriteIntegerField(int editId) {
    const int value = platform::StrToInt(GetDlgItemText(editId).c_str());
    const std::string canonical = platform::Format("%d", value);
    if (GetDlgItemText(editId) != canonical)
        WriteText(editId, canonical);
}

int CTabPage::FillComboList(int comboId, const std::vector<std::string>& entries, int reserveItems,
                            int reserveBytes, int select) {
    for (int i = GetCount(comboId) - 1; i >= 0; --i) DeleteString(comboId, i);
    bool room = InitStorage(comboId, reserveItems, reserveBytes) != platform::CB_ERRSPACE;
    for (size_t i = 0; room && i < entries.size() && !entries[i].empty(); ++i) {
        const int result = AddString(comboId, entries[i]);
        room = result != platform::CB_ERRSPACE && result != platform::CB_ERR;
    }
    if (!room) {
        platform::AfxMessageBox(platform::LoadString(IDS_INSUFFICIENT_MEMORY),
                                platform::MB_OK | platform::MB_ICONSTOP);
        return 0;
    }
    SetCurSel(comboId, select);
    return 1;
}

void CTabPage::InputMethodOff(int editId) {
    DisableInputMethod(editId);
}

int CTabPage::FirstNonAsciiIndex(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return static_cast<int>(i);
    return -1;
}

CTabPage::IdText CTabPage::CleanIdText(std::string& text) {
    const int cut = FirstNonAsciiIndex(text);
    if (cut >= 0) {
        text.erase(static_cast<size_t>(cut));
        return IdText::Cut;
    }
    std::string cleaned;
    for (char c : text)
        if (c != '"' && c != '\'')
            cleaned += c;
    if (cleaned.size() != text.size()) {
        text = cleaned;
        return IdText::QuotesRemoved;
    }
    return IdText::Clean;
}

bool CTabPage::SnapToStep(double value, double step, double& snapped) {
    if (!std::isfinite(value) || !std::isfinite(step) || step <= 0.0)
        return false;
    const double steps = value / step + (value >= 0.0 ? 0.5 : -0.5);
    if (!(std::fabs(steps) < static_cast<double>(std::numeric_limits<int>::max())))
        return false;
    snapped = static_cast<double>(static_cast<int>(steps)) * step;
    return true;
}

int CTabPage::Clamp(int value, int lower, int upper) {
    if (value < lower)
        return lower;
    if (value > upper)
        return upper;
    return value;
}

int CTabPage::PercentAfterStep(const std::string& text, const platform::NMUPDOWN& step) {
    const long value = static_cast<long>(platform::StrToInt(text.c_str())) - step.iDelta;
    if (value < 0)
        return 0;
    if (value > 100)
        return 100;
    return static_cast<int>(value);
}

}  // namespace corvane
