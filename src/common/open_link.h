// Opening a mail address or a web address through the shell, which starts the user's mail program or
// browser. When nothing can be started, the user is told in a message box.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32/win.h"

namespace common {

// Link kinds: 1 is a mail address, any other value a web address.
inline constexpr std::int16_t kLinkMail = 1;
inline constexpr std::int16_t kLinkWeb = 2;

// The link handed to the shell: an empty address stands for the maker's own (a new mail to the maker,
// or the maker's web site); a mail address gets "mailto:" in front; a web address goes unchanged.
std::string ComposeLink(std::int16_t kind, const std::string& address);

// Hands the link to the shell with `parentWindow` as the owner of anything it shows and the program's
// folder as the working folder. A shell result of 32 or less, or a failure on the way, shows the
// two-line "Error" box; nothing is returned to the caller.
void OpenLink(std::int16_t kind, HWND parentWindow, std::string address);

}  // namespace common
