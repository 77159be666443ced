#include "corvane/pages/common/TabPage.h"

#include <cmath>

#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

namespace {
const char* const kNoQuotesMessage = "Can not enter \" and ' character";
}  // namespace

CTabPage::CTabPage(const platform::DialogTemplate& pageTemplate) : platform::CDialog(pageTemplate) {
    RegisterModuleStrings();
}

CTabPage::~CTabPage() = default;

platform::LRESULT CTabPage::SendToView(platform::UINT message, platform::WPARAM wParam,
                                       platform::LPARAM lParam) {
    platform::CWnd* view = GetParent();
    return view != nullptr ? view->SendMessage(message, wParam, lParam) : 0;
}

platform::LRESULT CTabPage::SendChannelValue(const ChannelMessage& message, int channel,
                                             int value) {
    const ChannelMessage::Args args = message.Pack(channel, value);
    return SendToView(message.number, args.wParam, args.lParam);
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

void CTabPage::RewriteIntegerField(int editId, std::string* text) {
    const int value = platform::StrToInt(GetDlgItemText(editId).c_str());
    const std::string canonical = platform::Format("%d", value);
    if (text != nullptr)
        *text = canonical;
    if (GetDlgItemText(editId) != canonical)
        WriteText(editId, canonical);
}

void CTabPage::SetSpinRange(int spinId, int lower, int upper) {
    ReadyOff off(*this);
    SendDlgItemMessage(spinId, platform::UDM_SETRANGE, 0, PackSpinRange(lower, upper));
}

int CTabPage::OnIntegerFieldUpdate(int editId, int spinId, int lower, int upper,
                                   const char* messageFormat, std::string& text, int& stored,
                                   const IntSender& send) {
    if (!IsReady())
        return 0;
    text = GetDlgItemText(editId);
    if (CheckIntegerField(editId, spinId, lower, upper, messageFormat, stored) == 0) {
        text = platform::Format("%d", stored);
        return 0;
    }
    send(stored);
    return 1;
}

int CTabPage::OnClampedFieldUpdate(int editId, int lower, int upper, std::string& text, int& stored,
                                   const IntSender& send) {
    if (!IsReady())
        return 0;
    text = GetDlgItemText(editId);
    const int value = platform::StrToInt(text.c_str());
    stored = Clamp(value, lower, upper);
    if (stored != value) {
        text = platform::Format("%d", stored);
        WriteText(editId, text);
    }
    send(stored);
    return 1;
}

platform::LRESULT CTabPage::OnPercentDeltaPos(int editId, const platform::NMUPDOWN& step,
                                              std::string& text, int& stored, const IntSender& send,
                                              int lower, int upper) {
    if (!IsReady())
        return 0;
    stored = ValueAfterStep(GetDlgItemText(editId), step, lower, upper);
    text = platform::Format("%d", stored);
    WriteText(editId, text);
    send(stored);
    return 0;
}

int CTabPage::CheckStepField(const StepField& field, std::string& text, double& stored,
                             const DoubleSender& send) {
    if (!IsReady())
        return 0;
    text = GetDlgItemText(field.editId);
    const double typed = platform::StrToDouble(text.c_str());
    double snapped = 0.0;
    // A limit that is itself a multiple of the step must not be refused for the last bit of
    // a rounding difference between the page's arithmetic and ours.
    const double slack = std::fabs(field.step) * 1e-9;
    const bool counted = SnapToStep(typed, field.step, snapped);
    if (counted && snapped >= field.lower - slack && snapped <= field.upper + slack) {
        stored = snapped * field.scale;
        send(stored);
        if (field.spinId != 0)
            WriteSpin(field.spinId, static_cast<int>(std::lround(snapped / field.step)));
        return 1;
    }
    platform::AfxMessageBox(platform::Format(field.message, field.lower, field.upper),
                            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    const double shown = field.scale != 0.0 ? stored / field.scale : 0.0;
    text = platform::Format(field.format, shown);
    WriteText(field.editId, text);
    double restored = 0.0;
    if (field.spinId != 0 && SnapToStep(shown, field.step, restored))
        WriteSpin(field.spinId, static_cast<int>(std::lround(restored / field.step)));
    GotoDlgCtrl(field.editId);
    return 0;
}

int CTabPage::OnIdTextUpdate(int editId, std::string& text, const TextSender& send,
                             IdTextRule rule) {
    if (!IsReady())
        return 0;
    text = GetDlgItemText(editId);
    // Where the text had to be changed, the pass that sends it is the one after the write
    // back. That pass runs here rather than from the write's own notification, so that the
    // write stays an own write and the text reaches the view exactly once.
    for (;;) {
        const IdText verdict = rule(text);
        if (verdict == IdText::Clean)
            break;
        if (verdict == IdText::QuotesRemoved)
            platform::AfxMessageBox(kNoQuotesMessage,
                                    platform::MB_OK | platform::MB_ICONEXCLAMATION);
        WriteText(editId, text);
    }
    send(text);
    return 1;
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

}  // namespace corvane
