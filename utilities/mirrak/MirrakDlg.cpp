#include "utilities/mirrak/MirrakDlg.h"

#include <cstdio>

#include "platform/MessageBox.h"
#include "resources/mirrak/Resource.h"
#include "utilities/common/DottedAddress.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/mirrak/CopyProgressDlg.h"
#include "utilities/mirrak/DuplicationRunner.h"
#include "utilities/mirrak/FtpSession.h"
#include "utilities/mirrak/MirrakApp.h"

namespace mirrak {

namespace {
// Posted by the end handler: the worker has sent its last message and is leaving.
constexpr platform::UINT WM_DUP_FINISHED = platform::WM_USER + 20;

const char* TextOf(platform::LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    return text != nullptr ? text : "";
}
}  // namespace

CMirrakDlg::CMirrakDlg(CMirrakApp& app)
    : CUtilityDlg(MirrakDialogTemplate(), utilities::UtilityTraits::Mirrak()), m_app(app) {
    using platform::LPARAM;
    using platform::LRESULT;
    using platform::WPARAM;
    OnMessage(WM_DUP_START, [this](WPARAM, LPARAM total) -> LRESULT {
        if (m_progressDlg) {
            m_progressDlg->ShowWindow(true);
            m_progressDlg->StartProgress(static_cast<std::int64_t>(total));
        }
        return 0;
    });
    OnMessage(WM_DUP_FILE, [this](WPARAM, LPARAM text) -> LRESULT {
        if (m_progressDlg)
            m_progressDlg->SetFileText(TextOf(text));
        return 0;
    });
    OnMessage(WM_DUP_FILE_CLEAR, [this](WPARAM, LPARAM) -> LRESULT {
        if (m_progressDlg)
            m_progressDlg->SetFileText("");
        return 0;
    });
    OnMessage(WM_DUP_TITLE, [this](WPARAM, LPARAM text) -> LRESULT {
        if (m_progressDlg)
            m_progressDlg->SetWindowText(TextOf(text));
        return 0;
    });
    OnMessage(WM_DUP_PATH, [this](WPARAM, LPARAM text) -> LRESULT {
        if (m_progressDlg)
            m_progressDlg->SetPathText(TextOf(text));
        return 0;
    });
    OnMessage(WM_DUP_PROGRESS, [this](WPARAM, LPARAM done) -> LRESULT {
        if (m_progressDlg)
            m_progressDlg->UpdateRemainingTime(static_cast<std::int64_t>(done));
        return 0;
    });
    OnMessage(WM_DUP_CANCEL, [this](WPARAM, LPARAM) -> LRESULT {
        m_app.GetRunner().CancelDuplication();
        return 0;
    });
    OnMessage(WM_DUP_END, [this](WPARAM code, LPARAM text) -> LRESULT {
        m_endCode = static_cast<int>(code);
        m_endText = TextOf(text);
        if (m_progressDlg) {
            m_progressDlg->DestroyWindow();
            m_progressDlg.reset();
        }
        PostMessage(WM_DUP_FINISHED);
        return 0;
    });
    OnMessage(WM_DUP_FINISHED, [this](WPARAM, LPARAM) -> LRESULT {
        EndCopy();
        return 0;
    });
}

CMirrakDlg::~CMirrakDlg() {
    Shutdown();
}

platform::BOOL CMirrakDlg::OnInitDialog() {
    CUtilityDlg::OnInitDialog();
    ShowStoredSettings(IDC_SOURCE_IP, IDC_TARGET_IP);
    return platform::TRUE;
}

platform::BOOL CMirrakDlg::OnCommand(int id, int code) {
    if (id == IDC_COPY && code == platform::BN_CLICKED) {
        OnCopy();
        return platform::TRUE;
    }
    return CUtilityDlg::OnCommand(id, code);
}

void CMirrakDlg::Shutdown() {
    // The worker goes first: it must not send to a window that is going, nor use the objects
    // the application deletes after the window.
    m_app.GetRunner().Shutdown();
    m_copying = false;
    if (m_progressDlg) {
        m_progressDlg->DestroyWindow();
        m_progressDlg.reset();
    }
    EndSessions();
}

void CMirrakDlg::OnCancel() {
    Shutdown();
    CUtilityDlg::OnCancel();
}

void CMirrakDlg::DestroyWindow() {
    Shutdown();
    CUtilityDlg::DestroyWindow();
}

void CMirrakDlg::DisableInputs() {
    EnableDlgItem(IDC_SOURCE_IP, false);
    EnableDlgItem(IDC_TARGET_IP, false);
    EnableDlgItem(IDC_COPY, false);
}

void CMirrakDlg::EnableInputs() {
    EnableDlgItem(IDC_SOURCE_IP, true);
    EnableDlgItem(IDC_TARGET_IP, true);
    EnableDlgItem(IDC_COPY, true);
}

int CMirrakDlg::ReadAddresses(std::string& source, std::string& target) {
    std::uint32_t sourceAddress = 0;
    std::uint32_t targetAddress = 0;
    GetIpAddress(IDC_SOURCE_IP, sourceAddress);
    if (sourceAddress == 0) {
        platform::MessageBox(this, kSourceEmptyText, kCaption, platform::MB_OK);
        return 0;
    }
    source = utilities::FormatDottedAddress(sourceAddress);
    GetIpAddress(IDC_TARGET_IP, targetAddress);
    if (targetAddress == 0) {
        platform::MessageBox(this, kTargetEmptyText, kCaption, platform::MB_OK);
        return 0;
    }
    target = utilities::FormatDottedAddress(targetAddress);
    if (source == target) {
        platform::MessageBox(this, kSameAddressText, kCaption, platform::MB_OK);
        return 0;
    }
    return 1;
}

int CMirrakDlg::CheckOne(const std::string& address, double& used, double& free,
                         std::string& modules) {
    utilities::CQuarnComm link;
    link.SetDisconnectAlwaysSucceeds(true);
    if (!link.Connect(address))
        return 0;
    int ok = 0;
    if (link.SendCommand("mmem:cdir \"/F0:/\"") && link.SendCommand("mmem:cat?")) {
        const std::string catalog = link.ReceiveLine();
        if (!catalog.empty() && std::sscanf(catalog.c_str(), "%lf,%lf", &used, &free) == 2 &&
            link.SendCommand("inst:cat?")) {
            modules = link.ReceiveLine();
            ok = modules.empty() ? 0 : 1;
        }
    }
    link.Disconnect();
    return ok;
}

int CMirrakDlg::CheckInstruments() {
    std::string source;
    std::string target;
    if (!ReadAddresses(source, target))
        return kCheckRefused;
    if (!CheckOne(source, m_sourceUsed, m_sourceFree, m_sourceModules))
        return kCheckSourceFailed;
    if (!CheckOne(target, m_targetUsed, m_targetFree, m_targetModules))
        return kCheckTargetFailed;
    return kCheckOk;
}

int CMirrakDlg::OpenSessions() {
    std::string source;
    std::string target;
    if (!ReadAddresses(source, target))
        return 0;
    m_app.CreateSessions();
    CFtpSession* sourceSession = nullptr;
    CFtpSession* targetSession = nullptr;
    m_app.GetSessions(sourceSession, targetSession);
    if (!sourceSession->Login(source)) {
        EndSessions();
        platform::MessageBox(this, std::string(kCannotOpenAddressText) + source + "'", kCaption,
                             platform::MB_OK);
        return 0;
    }
    if (!targetSession->Login(target)) {
        // The source's session must not stay open: an instrument that takes one FTP session
        // at a time would refuse the next try.
        EndSessions();
        platform::MessageBox(this, std::string(kCannotOpenAddressText) + target + "'", kCaption,
                             platform::MB_OK);
        return 0;
    }
    m_app.SetSettings(source, target);
    m_app.CreateLink();
    if (!m_app.GetLink()->Connect(target)) {
        EndSessions();
        return 0;
    }
    return 1;
}

void CMirrakDlg::EndSessions() {
    CFtpSession* sourceSession = nullptr;
    CFtpSession* targetSession = nullptr;
    m_app.GetSessions(sourceSession, targetSession);
    if (sourceSession != nullptr)
        sourceSession->Quit();
    if (targetSession != nullptr)
        targetSession->Quit();
    if (m_app.GetLink() != nullptr)
        m_app.GetLink()->Disconnect();
}

void CMirrakDlg::OnCopy() {
    CDuplicationRunner& runner = m_app.GetRunner();
    if (m_copying || runner.IsRunning())
        return;
    if (CheckInstruments() != kCheckOk)
        return;
    if (!OpenSessions())
        return;
    if (platform::MessageBox(this, kConfirmText, kCaption,
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK) {
        EndSessions();
        return;
    }
    m_progressDlg = std::make_unique<CCopyProgressDlg>(this);
    m_progressDlg->Create(this);
    DisableInputs();
    EndSessions();
    m_app.DeleteSessions();
    m_app.DeleteLink();
    std::string source;
    std::string target;
    if (!ReadAddresses(source, target)) {
        m_progressDlg->DestroyWindow();
        m_progressDlg.reset();
        EnableInputs();
        return;
    }
    m_copying = true;
    if (!runner.StartDuplication(this, source, target, m_sourceUsed)) {
        m_copying = false;
        m_progressDlg->DestroyWindow();
        m_progressDlg.reset();
        EnableInputs();
    }
}

void CMirrakDlg::EndCopy() {
    if (!m_copying)
        return;
    // The worker has sent its last message; once it has gone, a new copy may start.
    m_app.GetRunner().WaitForEnd();
    m_copying = false;
    const char* text = kCancelledText;
    if (m_endCode == kDupDone)
        text = kDoneText;
    else if (m_endCode == kDupFailed)
        text = kFailedText;
    else if (m_endCode == kDupIncomplete)
        text = m_endText.c_str();
    platform::MessageBox(this, text, kCaption, platform::MB_OK);
    EnableInputs();
    EndSessions();
}

}  // namespace mirrak
