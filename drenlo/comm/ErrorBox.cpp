#include "drenlo/comm/ErrorBox.h"

#include "platform/MessageBox.h"
#include "platform/SocketErrors.h"

namespace drenlo {

void ShowErrorBox(const std::string& text) {
    platform::MessageBeep(platform::MB_ICONHAND);
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

const char* SocketErrorText(int code) {
    switch (code) {
        case 10022:
            return "Socket not bound";
        case 10035:
            return "Error: WSAEWOULDBLOCK";
        case 10036:
            return "Socket is blocked.";
        case 10038:
            return "Descriptor is not socket.";
        case 10040:
            return "Error: WSAEMSGSIZE";
        case 10045:
            return "Error: WSAEOPNOTSUPP";
        case 10050:
            return "Network sub-system invalid";
        case 10053:
            return "Connection aborted. (Timeout, etc...)";
        case 10054:
            return "Connection closed by foreign host.";
        case 10057:
            return "Socket is not connected.";
        case 10058:
            return "Socket is shutdown";
        case 10093:
            return "Socket not initialized";
        default:
            return "Socket error.";
    }
}

void ShowSocketError() {
    ShowErrorBox(SocketErrorText(platform::WSAGetLastError()));
}

}  // namespace drenlo
