// CMirrakApp: Mirrak's application object over the utilities' skeleton.
//
// Besides the skeleton's settings ("SrcIP", "DstIP") it owns what the checks before a copy
// use (two FTP sessions and a command link, made on demand and deleted once the copy starts)
// and the duplication runner. The runner is deleted first and waits for its worker, so no
// copy outlives the objects it uses.
#pragma once

#include <memory>

#include "utilities/common/UtilityApp.h"

namespace mirrak {

class CDuplicationRunner;
class CFtpSession;

class CMirrakApp : public utilities::CUtilityApp {
public:
    CMirrakApp();
    ~CMirrakApp() override;

    void CreateSessions();
    void DeleteSessions();
    void GetSessions(CFtpSession*& first, CFtpSession*& second) const;
    void CreateLink();
    void DeleteLink();
    CDuplicationRunner& GetRunner();

protected:
    void CreateOwnedObjects() override;
    void DeleteOwnedObjects() override;

private:
    std::unique_ptr<CFtpSession> m_source;
    std::unique_ptr<CFtpSession> m_target;
    std::unique_ptr<CDuplicationRunner> m_runner;
};

}  // namespace mirrak
