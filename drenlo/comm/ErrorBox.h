// Drenlo's error boxes and its socket error texts.
#pragma once

#include <string>

namespace drenlo {

// The stop beep, then a box with the stop icon and an OK button. Every error box of the
// program goes through here. User-interface thread only.
void ShowErrorBox(const std::string& text);

// The text Drenlo shows for a Windows Sockets error code: twelve known codes, and
// "Socket error." for any other (a cancelled call, WSAEINTR, reads as that).
const char* SocketErrorText(int code);

// ShowErrorBox with the text of the calling thread's last socket error.
void ShowSocketError();

}  // namespace drenlo
