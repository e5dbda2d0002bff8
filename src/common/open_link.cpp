#include "common/open_link.h"

#include <exception>

#include "common/maker.h"
#include "platform/system/system.h"
#include "platform/win32/resources.h"

namespace common {

std::string ComposeLink(std::int16_t kind, const std::string& address) {
    if (address.empty())
        return kind == kLinkMail ? "mailto:" + std::string(MakerMail) : "http://" + std::string(MakerWeb);
    return kind == kLinkMail ? "mailto:" + address : address;
}

void OpenLink(std::int16_t kind, HWND parentWindow, std::string address) {
    std::string link = ComposeLink(kind, address);

    // From here on a failing step leaves its error behind and the routine goes on to tell the user.
    bool failed = false;
    INT_PTR result = 0;
    try {
        std::string folder = platform::ApplicationFolder();
        if (folder.empty()) failed = true;
        result = platform::System().ShellOpen(parentWindow, link, folder, SW_SHOWNORMAL);
    } catch (const std::exception&) {
        failed = true;
    }
    if (failed || result <= 32) {
        platform::System().ShowMessage(parentWindow, "Could not establish\r\nan internet connection!",
                                       "Error", MB_OK | MB_ICONHAND);
    }
}

}  // namespace common
