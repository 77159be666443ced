#include "corvane/modules/tavix/TavixView.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include "corvane/core/Messages.h"
#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixMessages.h"
#include "corvane/pages/tavix/TavixAudioTables.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/TavixForms.h"

namespace corvane {

namespace {

const char* const kFreeRun = "Free Run";
const char* const kFrameReset1 = "Frame Reset1";
const char* const kFrameReset2 = "Frame Reset2";

// Enter in the delay edit would press the form's default button; the operator only means
// to end the number there.
class SwallowEnter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
            event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CTavixView::CTavixView()
    : CModuleView(TavixFormTemplate()),
      m_frequencyPage(TavixFrequencyTable()),
      m_clickPage(TavixClickTable()) {
    AddPage(&m_frequencyPage, "Frequency");
    AddPage(&m_amplitudePage, "Amplitude");
    AddPage(&m_clickPage, "Audio Click");

    BindChannelSetters<CTavixDoc>({
        {kTavixFrequencyMessage, &CTavixDoc::SetFrequency},
        {kTavixAmplitudeMessage, &CTavixDoc::SetAmplitude},
        {kTavixClickMessage, &CTavixDoc::SetClick},
    });
    OnMessage(WM_MODULE_APPLIED,
              [this](platform::WPARAM, platform::LPARAM) { return OnModuleApplied(); });
}

CTavixView::~CTavixView() {
    DestroyPages();
}

CTavixDoc* CTavixView::GetTavixDoc() const {
    return dynamic_cast<CTavixDoc*>(GetDocument());
}

void CTavixView::PushPageValues() {
    CTavixDoc* doc = GetTavixDoc();
    if (doc == nullptr)
        return;
    // After a read the document holds each frequency as its list entry.
    static_assert(CTavixDoc::kChannels == CLinkedChannelsPage::kChannels,
                  "one page row per channel of the module");
    m_frequencyPage.LoadIndexes(doc->m_frequency.Values());
    m_amplitudePage.LoadAmplitudes(doc->m_amplitude.Values(), CTavixDoc::kMinAmplitude,
                                   CTavixDoc::kMaxAmplitude);
    m_clickPage.LoadIndexes(doc->m_click.Values());  // the entry is the period in seconds
}

void CTavixView::DoDataExchange(platform::CDataExchange* dx) {
    platform::DDX_Radio(dx, IDC_TAVIX_BITS20, m_bitsIndex);
    platform::DDX_CBIndex(dx, IDC_TAVIX_SYNC, m_syncIndex);
    platform::DDX_Text(dx, IDC_TAVIX_DELAY, m_delayText);
    platform::DDV_MaxChars(dx, m_delayText, 32);
}

void CTavixView::OnInitialUpdate() {
    m_ownWrite = 1;
    CModuleView::OnInitialUpdate();
    m_ownWrite = 0;
}

void CTavixView::OnInitialUpdateForm() {
    if (QWidget* edit = GetDlgItem(IDC_TAVIX_DELAY)) {
        m_enterFilter = std::make_unique<SwallowEnter>();
        edit->installEventFilter(m_enterFilter.get());
    }
    CTavixDoc* doc = GetTavixDoc();
    if (doc == nullptr)
        return;
    m_delayText = platform::Format("%d", doc->m_audioDelay.Value());
    m_bitsIndex = doc->m_bits == 20 ? 0 : 1;
    FillSyncList();
}

void CTavixView::DelayLimits(int mode, double frame1, double frame2, int& maximum, int& minimum) {
    double f = 0.0;
    if (mode == CTavixDoc::kSyncFrameOne) {
        f = frame1;
    } else if (mode == CTavixDoc::kSyncFrameTwo) {
        f = frame2;
    } else {
        maximum = 0;
        minimum = 0;
        return;
    }
    int limit = 0;
    if (f == 15.0)
        limit = 66666;
    else if (f > 14.0 && f < 15.0)  // the 1/1.001 rate just below 15 Hz
        limit = 66733;
    else if (f == 6.25)
        limit = 159997;
    else if (f != 0.0)
        limit = 160000;
    else
        return;
    maximum = limit;
    minimum = -limit;
}

int CTavixView::FillSyncList() {
    CTavixDoc* doc = GetTavixDoc();
    if (doc == nullptr)
        return 0;
    ResetContent(IDC_TAVIX_SYNC);
    bool room = InitStorage(IDC_TAVIX_SYNC, 3, 32) != platform::CB_ERRSPACE;
    auto add = [&](const char* text) {
        if (room && AddString(IDC_TAVIX_SYNC, text) < 0)
            room = false;
    };
    add(kFreeRun);
    if (doc->m_frame1Present)
        add(kFrameReset1);
    if (doc->m_frame2Present)
        add(kFrameReset2);
    if (!room) {
        platform::AfxMessageBox(platform::LoadString(IDS_INSUFFICIENT_MEMORY),
                                platform::MB_OK | platform::MB_ICONSTOP);
        return 0;
    }
    int mode = CTavixDoc::kSyncFree;
    if (doc->m_syncMode == CTavixDoc::kSyncFrameOne && doc->m_frame1Present)
        mode = CTavixDoc::kSyncFrameOne;
    if (doc->m_syncMode == CTavixDoc::kSyncFrameTwo && doc->m_frame2Present)
        mode = CTavixDoc::kSyncFrameTwo;
    const char* entry = mode == CTavixDoc::kSyncFrameOne   ? kFrameReset1
                        : mode == CTavixDoc::kSyncFrameTwo ? kFrameReset2
                                                           : kFreeRun;
    m_syncIndex = FindStringExact(IDC_TAVIX_SYNC, -1, entry);
    SetCurSel(IDC_TAVIX_SYNC, m_syncIndex);
    DelayLimits(mode, doc->m_frame1Frequency, doc->m_frame2Frequency, m_delayMax, m_delayMin);
    EnableDelay(mode != CTavixDoc::kSyncFree);
    return 1;
}

void CTavixView::EnableDelay(bool enable) {
    EnableDlgItem(IDC_TAVIX_DELAY, enable);
    EnableDlgItem(IDC_TAVIX_DELAY_LABEL, enable);
    EnableDlgItem(IDC_TAVIX_DELAY_UNIT, enable);
}

void CTavixView::WriteOwnControls() {
    ++m_ownWrite;
    UpdateData(platform::FALSE);
    --m_ownWrite;
}

int CTavixView::ClampDelay(int& value) const {
    if (!IsDlgItemEnabled(IDC_TAVIX_DELAY))
        return 0;
    if (value > m_delayMax) {
        value = m_delayMax;
        return 1;
    }
    if (value < m_delayMin) {
        value = m_delayMin;
        return 1;
    }
    return 0;
}

platform::BOOL CTavixView::OnCommand(int id, int code) {
    CTavixDoc* doc = GetTavixDoc();
    if (doc != nullptr && m_ownWrite == 0) {
        // The radio index follows the click, so that a later write of the controls shows the
        // choice the document will send.
        if (id == IDC_TAVIX_BITS20 && code == platform::BN_CLICKED) {
            m_bitsIndex = 0;
            doc->SetBits(20);
            return platform::TRUE;
        }
        if (id == IDC_TAVIX_BITS24 && code == platform::BN_CLICKED) {
            m_bitsIndex = 1;
            doc->SetBits(24);
            return platform::TRUE;
        }
        if (id == IDC_TAVIX_SYNC && code == platform::CBN_SELCHANGE) {
            SyncChosen();
            return platform::TRUE;
        }
        if (id == IDC_TAVIX_DELAY && code == platform::EN_CHANGE) {
            DelayChanged();
            return platform::TRUE;
        }
        if (id == IDC_TAVIX_DELAY && code == platform::EN_KILLFOCUS) {
            DelayLostFocus();
            return platform::TRUE;
        }
    }
    return CModuleView::OnCommand(id, code);
}

void CTavixView::SyncChosen() {
    CTavixDoc* doc = GetTavixDoc();
    m_syncIndex = GetCurSel(IDC_TAVIX_SYNC);
    const std::string text =
        m_syncIndex >= 0 ? GetLBText(IDC_TAVIX_SYNC, m_syncIndex) : std::string();
    int mode = CTavixDoc::kSyncFree;
    if (text == kFrameReset1)
        mode = CTavixDoc::kSyncFrameOne;
    if (text == kFrameReset2)
        mode = CTavixDoc::kSyncFrameTwo;
    doc->SetSyncMode(mode);
    DelayLimits(mode, doc->m_frame1Frequency, doc->m_frame2Frequency, m_delayMax, m_delayMin);
    EnableDelay(mode != CTavixDoc::kSyncFree);
    int value = platform::StrToInt(GetDlgItemText(IDC_TAVIX_DELAY).c_str());
    if (ClampDelay(value)) {
        m_delayText = platform::Format("%d", value);
        doc->SetAudioDelay(value);
        WriteOwnControls();
    }
}

void CTavixView::DelayChanged() {
    // A greyed edit is not in use: it only shows the last delay.
    if (!IsDlgItemEnabled(IDC_TAVIX_DELAY))
        return;
    UpdateData(platform::TRUE);
    int value = platform::StrToInt(m_delayText.c_str());
    if (value > m_delayMax || value < m_delayMin) {
        platform::AfxMessageBox(
            platform::Format("Audio delay must be within\n%d to %d [usec]", m_delayMin, m_delayMax),
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
        value = value < m_delayMin ? m_delayMin : m_delayMax;
        m_delayText = platform::Format("%d", value);
        WriteOwnControls();
        GotoDlgCtrl(IDC_TAVIX_DELAY);
    }
    if (CTavixDoc* doc = GetTavixDoc())
        doc->SetAudioDelay(value);
}

void CTavixView::DelayLostFocus() {
    const std::string canonical =
        platform::Format("%d", platform::StrToInt(GetDlgItemText(IDC_TAVIX_DELAY).c_str()));
    m_delayText = canonical;
    WriteOwnControls();
}

platform::LRESULT CTavixView::OnModuleApplied() {
    CTavixDoc* doc = GetTavixDoc();
    if (doc == nullptr || !doc->RereadSync())
        return 0;
    ++m_ownWrite;
    if (!FillSyncList()) {  // its message has been shown; nothing more is done
        --m_ownWrite;
        return 0;
    }
    int value = doc->m_audioDelay;
    if (ClampDelay(value))
        doc->SetAudioDelay(value);
    m_delayText = platform::Format("%d", value);
    UpdateData(platform::FALSE);
    --m_ownWrite;
    return 0;
}

void CTavixView::OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) {
    CModuleView::OnUpdate(sender, hint, hintObject);
    if (const auto* refusal = ModuleHintAs<CTavixDoc::AmplitudeRefused>(hint, hintObject)) {
        platform::AfxMessageBox(
            platform::Format("Amplitude must be within\n%d to %d [dBFS]", CTavixDoc::kMinAmplitude,
                             CTavixDoc::kMaxAmplitude),
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
        m_amplitudePage.RestoreAmplitude(refusal->channel, refusal->oldAmplitude);
    } else if (const auto* refusal = ModuleHintAs<CTavixDoc::DelayRefused>(hint, hintObject)) {
        platform::AfxMessageBox(
            platform::Format("Audio delay must be within\n%d to %d [usec]",
                             CTavixDoc::kMinAudioDelay, CTavixDoc::kMaxAudioDelay),
            platform::MB_OK | platform::MB_ICONEXCLAMATION);
        m_delayText = platform::Format("%d", refusal->oldDelay);
        WriteOwnControls();
        GotoDlgCtrl(IDC_TAVIX_DELAY);
    }
}

}  // namespace corvane
