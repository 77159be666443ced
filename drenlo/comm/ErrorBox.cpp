#include "drenlo/comm/ErrorBox.h"

#include "platform/MessageBox.h"
#include "platform/SocketErrors.h"

namespace drenlo {

void ShowErrorBox(const std::string& text) {
    platform::MessageBeep(platform::MB_ICONHAND);
    platform::AfxMessageBox(text, platform::MB_ICONSTOP);
}

const char* SocketErrorText(int code) {
    return platform::SocketErrorText(code, platform::SocketErrorTexts::kShort);
}

void ShowSocketError() {
    ShowErrorBox(SocketErrorText(platform::WSAGetLastError()));
}

}  // namespace drenlo
