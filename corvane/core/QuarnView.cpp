#include "corvane/core/QuarnView.h"

#include <array>

#include "corvane/core/MainFrame.h"
#include "corvane/core/Messages.h"
#include "corvane/core/QuarnDoc.h"
#include "platform/DataExchange.h"
#include "platform/MdiChildWnd.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/QuarnForm.h"

namespace corvane {

namespace {

constexpr std::array<int, CQuarnDoc::kSlots> kModelIds{IDC_SLOT1_MODEL, IDC_SLOT2_MODEL,
                                                       IDC_SLOT3_MODEL, IDC_SLOT4_MODEL};
const char* const kNotReported = " --- ";

}  // namespace

CQuarnView::CQuarnView() : CFormView(QuarnFormTemplate()) {
    OnMessage(WM_MODULE_APPLIED,
              [this](platform::WPARAM, platform::LPARAM) { return OnModuleApplied(); });
}

CQuarnView::~CQuarnView() {
    if (CMainFrame* frame = MainFrame())
        frame->MainframeDocClosed(CFormView::GetDocument());
}

CQuarnDoc* CQuarnView::GetDocument() const {
    return dynamic_cast<CQuarnDoc*>(CFormView::GetDocument());
}

void CQuarnView::DoDataExchange(platform::CDataExchange* dx) {
    CFormView::DoDataExchange(dx);
    platform::DDX_Text(dx, IDC_CONTRAST, m_contrastText);
}

void CQuarnView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    ResizeParentToFit();
    FillForm();
    SetRange32(IDC_CONTRAST_SPIN, CQuarnDoc::kContrastMin, CQuarnDoc::kContrastMax);
    SetPos(IDC_CONTRAST_SPIN, m_contrast);
    m_contrastText = platform::Format("%d", m_contrast);
    SetDlgItemText(IDC_CONTRAST, m_contrastText);
    m_ready = 1;
    UpdateData(platform::FALSE);
}

void CQuarnView::FillFrameReset() {
    const CQuarnDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    for (int j = 0; j < CQuarnDoc::kFrameResets; ++j) {
        const std::string& frequency = doc->m_frameFrequency[static_cast<size_t>(j)];
        SetDlgItemText(IDC_FRAME_FREQ1 + j, frequency == "0.0" ? "---" : frequency + " [Hz]");
        for (int s = 0; s < CQuarnDoc::kSlots; ++s) {
            const int used = doc->m_frameUsedBySlot[static_cast<size_t>(j)][static_cast<size_t>(s)];
            ShowDlgItem(IDC_FRAME_USE_FIRST + 3 * s + j, used == 1);
        }
    }
}

bool CQuarnView::FillVersions() {
    const CQuarnDoc* doc = GetDocument();
    std::array<bool, CQuarnDoc::kSlots> reported{};
    bool whole = false;
    const std::string& reply = doc->m_optionReply;
    const std::string::size_type cpu = reply.find("CPU:0:");
    if (cpu != std::string::npos) {
        const std::string::size_type hardware = cpu + 6;
        const std::string::size_type colon = reply.find(':', hardware);
        const std::string::size_type quote =
            colon == std::string::npos ? colon : reply.find('"', colon + 1);
        if (quote != std::string::npos) {
            SetDlgItemText(IDC_CPU_HARDWARE, reply.substr(hardware, colon - hardware));
            SetDlgItemText(IDC_CPU_SOFTWARE, reply.substr(colon + 1, quote - colon - 1));
            whole = true;
            // Each further item: "<model>:<slot>:<hardware>:<software>". The search goes on
            // after an item's closing quote, so a ',' inside a version text starts nothing.
            std::string::size_type comma = reply.find(',', 1);
            while (comma != std::string::npos) {
                const std::string::size_type open = comma + 1;
                if (open >= reply.size() || reply[open] != '"') {
                    whole = false;
                    break;
                }
                const std::string::size_type c1 = reply.find(':', open + 1);
                const std::string::size_type c2 =
                    c1 == std::string::npos ? c1 : reply.find(':', c1 + 1);
                const std::string::size_type c3 =
                    c2 == std::string::npos ? c2 : reply.find(':', c2 + 1);
                const std::string::size_type close =
                    c3 == std::string::npos ? c3 : reply.find('"', c3 + 1);
                if (close == std::string::npos) {
                    whole = false;
                    break;
                }
                const int slot = platform::StrToInt(reply.substr(c1 + 1, c2 - c1 - 1).c_str());
                if (slot < 1 || slot > CQuarnDoc::kSlots) {
                    whole = false;
                    break;
                }
                const size_t index = static_cast<size_t>(slot - 1);
                SetDlgItemText(kModelIds[index], reply.substr(open + 1, c1 - open - 1));
                SetDlgItemText(IDC_SLOT1_HARDWARE + slot - 1, reply.substr(c2 + 1, c3 - c2 - 1));
                SetDlgItemText(IDC_SLOT1_SOFTWARE + slot - 1, reply.substr(c3 + 1, close - c3 - 1));
                reported[index] = true;
                comma = reply.find(',', close + 1);
            }
        }
    }
    for (size_t s = 0; s < reported.size(); ++s) {
        if (reported[s])
            continue;
        const int slot = static_cast<int>(s);
        SetDlgItemText(kModelIds[s], kNotReported);
        SetDlgItemText(IDC_SLOT1_HARDWARE + slot, kNotReported);
        SetDlgItemText(IDC_SLOT1_SOFTWARE + slot, kNotReported);
    }
    return whole;
}

void CQuarnView::FillForm() {
    const CQuarnDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    FillFrameReset();
    // A catalogue item that cannot be read ends the versions there, but memory and contrast
    // were read on their own and are shown all the same: a blank contrast would otherwise be
    // what the operator starts from.
    FillVersions();
    SetDlgItemText(IDC_FREE_BYTES, platform::Format("%.0lf", doc->m_freeBytes));
    SetDlgItemText(IDC_USED_BYTES, platform::Format("%.0lf", doc->m_usedBytes));
    m_contrast = doc->m_contrast;
}

void CQuarnView::OnUpdate(platform::CView*, platform::LPARAM hint, void* hintObject) {
    CQuarnDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    if (doc->IsModified())
        EnableDlgItem(IDC_QUARN_APPLY, true);
    if (hint != CQuarnDoc::kHintContrastRange)
        return;
    const int old = hintObject != nullptr ? *static_cast<const int*>(hintObject) : doc->m_contrast;
    platform::AfxMessageBox(platform::Format("Contrast must be within\n%d to %d",
                                             CQuarnDoc::kContrastMin, CQuarnDoc::kContrastMax),
                            platform::MB_OK | platform::MB_ICONEXCLAMATION);
    m_contrastText = platform::Format("%d", old);
    SetDlgItemText(IDC_CONTRAST, m_contrastText);
    UpdateData(platform::FALSE);
    GotoDlgCtrl(IDC_CONTRAST);
}

void CQuarnView::OnContrastChange() {
    if (m_ready == 0)
        return;
    CQuarnDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    UpdateData(platform::TRUE);
    doc->SetContrast(platform::StrToInt(m_contrastText.c_str()));
}

platform::BOOL CQuarnView::OnCommand(int id, int code) {
    if (id == IDC_CONTRAST) {
        if (code == platform::EN_CHANGE)
            OnContrastChange();
        return platform::TRUE;
    }
    if (code == platform::BN_CLICKED) {
        switch (id) {
            case IDC_QUARN_OK:
                OnOk();
                return platform::TRUE;
            case IDC_QUARN_CANCEL:
                OnCancel();
                return platform::TRUE;
            case IDC_QUARN_APPLY:
                OnApply();
                return platform::TRUE;
            default:
                break;
        }
    }
    return CFormView::OnCommand(id, code);
}

void CQuarnView::OnOk() {
    if (platform::CMDIChildWnd* frame = GetParentFrame())
        frame->SendMessage(platform::WM_CLOSE);
}

void CQuarnView::OnCancel() {
    CQuarnDoc* doc = GetDocument();
    if (doc != nullptr && doc->IsModified()) {
        const int answer =
            platform::AfxMessageBox(platform::LoadString(IDS_APPLY_CHANGES_TO_MAINFRAME),
                                    platform::MB_YESNOCANCEL | platform::MB_ICONEXCLAMATION);
        if (answer == platform::IDCANCEL)
            return;
        if (answer == platform::IDYES)
            doc->Apply();
        // The operator has answered; the frame's own close must not ask again, even when
        // the Apply failed (the link has reported that already).
        doc->SetModifiedFlag(false);
    }
    if (platform::CMDIChildWnd* frame = GetParentFrame())
        frame->SendMessage(platform::WM_CLOSE);
}

void CQuarnView::OnApply() {
    if (CQuarnDoc* doc = GetDocument())
        doc->Apply();
    EnableDlgItem(IDC_QUARN_APPLY, false);
}

platform::LRESULT CQuarnView::OnModuleApplied() {
    CQuarnDoc* doc = GetDocument();
    if (doc == nullptr || doc->ReadAll() != 1)
        return 0;
    FillFrameReset();
    UpdateData(platform::FALSE);
    return 0;
}

}  // namespace corvane
