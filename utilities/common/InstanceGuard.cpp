#include "utilities/common/InstanceGuard.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>

#include "platform/NamedMutex.h"
#include "platform/Wnd.h"

namespace utilities {

namespace {
constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer[] = "ok\n";
// A request is one short line; anything longer is not from a copy of ours.
constexpr qint64 kMaxRequest = 64;
}  // namespace

CInstanceGuard::CInstanceGuard(const std::string& name)
    : m_name(name), m_mutex(std::make_unique<platform::NamedMutex>(name)) {}

CInstanceGuard::~CInstanceGuard() {
    Release();
}

std::string CInstanceGuard::ServerName(const std::string& name) {
    // Beside the lock file: the same folder, so the same user separation.
    return platform::NamedMutex::LockPathFor(name) + ".raise";
}

int CInstanceGuard::TryAcquire() {
    if (IsHolder())
        return 1;
    if (!m_mutex->TryLock())
        return errno == EWOULDBLOCK || errno == EAGAIN ? 0 : -1;
    // Only the holder gets here, so a socket file left by a holder that died is stale.
    const QString serverName = platform::ToQString(ServerName(m_name));
    QLocalServer::removeServer(serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server, &QLocalServer::newConnection, this, [this] { OnNewConnection(); });
    // Without the server the guard still holds; only raising the window is lost.
    m_server->listen(serverName);
    return 1;
}

std::string CInstanceGuard::LockPath() const {
    return m_mutex->LockPath();
}

bool CInstanceGuard::IsHolder() const {
    return m_mutex->IsLocked();
}

void CInstanceGuard::Release() {
    if (m_server != nullptr) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    m_mutex->Unlock();
}

void CInstanceGuard::OnNewConnection() {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
        QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        QObject::connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            if (!peer->canReadLine()) {
                if (peer->bytesAvailable() > kMaxRequest)
                    peer->abort();
                return;
            }
            const QByteArray line = peer->readLine(kMaxRequest);
            if (line == kRaiseRequest) {
                ++m_raiseRequests;
                if (m_onRaise)
                    m_onRaise();
                peer->write(kRaiseAnswer);
                peer->flush();
            }
            peer->disconnectFromServer();
        });
    }
}

bool CInstanceGuard::AskHolderToRaise(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(platform::ToQString(ServerName(m_name)));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() <= kMaxRequest) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
        answer += socket.readAll();
    }
    return answer == kRaiseAnswer;
}

}  // namespace utilities
