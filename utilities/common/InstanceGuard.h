// CInstanceGuard: one running copy of a program per user.
//
// The guard is the named lock platform::NamedMutex; taking it is one atomic step, so two
// copies started together cannot both pass. The holder also listens on a local socket named
// after the lock; a copy that finds the lock taken connects there and asks the holder to
// bring its window to the front, since neither X11 nor Wayland lets one program raise
// another's window by its title. The request is one line, "raise\n", answered "ok\n".
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace platform {
class NamedMutex;
}

namespace utilities {

class CInstanceGuard : public QObject {
public:
    explicit CInstanceGuard(const std::string& name);
    ~CInstanceGuard() override;

    // 1 when this process now holds the guard (it then answers raise requests), 0 when
    // another process holds it, -1 when the lock file cannot be used at all (a folder or a
    // link in its place, no room), which says nothing about another copy.
    int TryAcquire();
    std::string LockPath() const;
    bool IsHolder() const;
    void Release();

    // For the copy that was refused: asks the holder to raise its window. True when the
    // holder confirmed within timeoutMs.
    bool AskHolderToRaise(int timeoutMs = 3000) const;

    // Runs on the user-interface thread for each raise request.
    void SetRaiseHandler(std::function<void()> handler) { m_onRaise = std::move(handler); }
    int RaiseRequests() const { return m_raiseRequests; }

    // The local socket's name: the lock's name and the user id.
    static std::string ServerName(const std::string& name);

private:
    void OnNewConnection();

    std::string m_name;
    std::unique_ptr<platform::NamedMutex> m_mutex;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_onRaise;
    int m_raiseRequests = 0;
};

}  // namespace utilities
