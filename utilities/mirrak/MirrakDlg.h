// CMirrakDlg: Mirrak's main dialog (template 102): the source and target addresses and Copy.
//
// Copy checks both instruments over the command port, logs in to both FTP servers, asks for
// confirmation and hands the copy to the duplication worker, whose messages drive the
// progress dialog. While a copy runs the address controls and Copy are disabled; they come
// back only after the worker has ended, so a second copy can never start beside the first.
// Closing the window (Cancel, Escape, the close box) during a copy cancels it and waits for
// the worker before the window goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "utilities/common/UtilityDlg.h"

namespace mirrak {

class CCopyProgressDlg;
class CMirrakApp;

class CMirrakDlg : public utilities::CUtilityDlg {
public:
    // Results of CheckInstruments.
    static constexpr int kCheckOk = 100;
    static constexpr int kCheckSourceFailed = 101;
    static constexpr int kCheckTargetFailed = 102;
    static constexpr int kCheckRefused = 105;

    explicit CMirrakDlg(CMirrakApp& app);
    ~CMirrakDlg() override;

    platform::BOOL OnInitDialog() override;
    platform::BOOL OnCommand(int id, int code) override;
    void OnCancel() override;
    void DestroyWindow() override;

    void OnCopy();
    int ReadAddresses(std::string& source, std::string& target);
    int CheckInstruments();
    int OpenSessions();
    void EndSessions();
    void DisableInputs();
    void EnableInputs();

    bool IsCopying() const { return m_copying; }
    CCopyProgressDlg* ProgressDialog() const { return m_progressDlg.get(); }
    double SourceUsed() const { return m_sourceUsed; }

private:
    int CheckOne(const std::string& address, double& used, double& free, std::string& modules);
    void EndCopy();
    void Shutdown();

    CMirrakApp& m_app;
    std::unique_ptr<CCopyProgressDlg> m_progressDlg;
    double m_sourceUsed = 0;
    double m_sourceFree = 0;
    double m_targetUsed = 0;
    double m_targetFree = 0;
    std::string m_sourceModules;
    std::string m_targetModules;
    bool m_copying = false;
    int m_endCode = 0;
    std::string m_endText;
};

}  // namespace mirrak
