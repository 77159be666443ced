// CUtilityApp: the application object the three setup-file utilities share.
//
// A program's main() makes one (or an object of a class derived from it, which adds the
// program's own owned objects), with the program's UtilityTraits and a factory for its main
// dialog, and returns RunUtilityProgram's result. Run does the whole life of the program:
//  - InitInstance takes the single-instance guard "<Name>Instance". When another copy holds
//    it, the refusal text is shown (stop icon), that copy is asked to bring its window to the
//    front, and the program ends. Otherwise the settings are read from "Harnoq"/<Name>,
//    section "Settings", with their defaults, the owned objects are made (the link), and the
//    main dialog runs modally. It always returns false: the program ends with its dialog.
//    When the lock file cannot be used at all, the program says so and ends, rather than
//    run unguarded or claim another copy runs.
//  - ExitInstance writes the settings back only when this copy holds the guard, so a refused
//    copy never overwrites the running one's values, then deletes the owned objects.
//
// The main dialog gets and sets the two values with GetSettings/SetSettings: the (source)
// instrument's address and the backup folder, or Mirrak's target address.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Dialog.h"
#include "platform/WinApp.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityTraits.h"

namespace utilities {

class CInstanceGuard;
class CUtilityApp;

using MainDialogFactory = std::function<std::unique_ptr<platform::CDialog>(CUtilityApp& app)>;

class CUtilityApp : public platform::CWinApp {
public:
    static constexpr const char* kCompany = "Harnoq";
    static constexpr const char* kSection = "Settings";
    // Process exit statuses of Run.
    static constexpr int kExitNormal = 0;
    static constexpr int kExitRefused = 2;
    static constexpr int kExitNoGuard = 3;

    CUtilityApp(UtilityTraits traits, MainDialogFactory makeDialog);
    ~CUtilityApp() override;

    bool InitInstance() override;
    int ExitInstance() override;
    // InitInstance and ExitInstance; kExitRefused when another copy runs, kExitNoGuard when
    // the single-instance lock could not be used (shown to the operator).
    int Run();

    void GetSettings(std::string& address, std::string& second) const;
    void SetSettings(const std::string& address, const std::string& second);

    // The application's link; null outside InitInstance..ExitInstance (and in a program that
    // makes its link on demand, until it does).
    CQuarnComm* GetLink() const { return m_link.get(); }

    const UtilityTraits& Traits() const { return m_traits; }
    bool HoldsInstanceGuard() const;
    bool WasRefused() const { return m_refused; }
    // The running main dialog, or null.
    platform::CDialog* MainDialog() const { return m_dialog.get(); }
    // Brings the main dialog to the front; what a second copy's request does.
    void RaiseMainWindow();
    int RaiseRequests() const;

protected:
    // The owned objects, made after the settings are read and deleted after they are written.
    // The default makes and deletes the link; Mirrak replaces both.
    virtual void CreateOwnedObjects();
    virtual void DeleteOwnedObjects();

    std::unique_ptr<CQuarnComm> m_link;

private:
    void ReadSettings();
    void WriteSettings();

    UtilityTraits m_traits;
    MainDialogFactory m_makeDialog;
    std::unique_ptr<CInstanceGuard> m_guard;
    std::unique_ptr<platform::CDialog> m_dialog;
    std::string m_address;
    std::string m_second;
    bool m_refused = false;
    bool m_noGuard = false;
};

// The running application object; null when there is none.
CUtilityApp* UtilityApp();

// main() of a utility: the Qt application, the "C" numeric locale, the user-interface
// thread's blocking hook, then app.Run(). makeApp runs after the Qt application exists.
int RunUtilityProgram(int argc, char* argv[],
                      const std::function<std::unique_ptr<CUtilityApp>()>& makeApp);

}  // namespace utilities
