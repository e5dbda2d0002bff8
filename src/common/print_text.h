// Printing a text on the default printer as one job, laid out in pages (see print_layout.h), while
// the window that asked for it is disabled and shows the hourglass.
#pragma once

#include <string_view>

#include "platform/win32/win.h"

namespace platform {
class Page;
}

namespace common {

// The window a printout belongs to. It accepts no input and shows the hourglass while the job runs,
// and it owns the message that tells why a printout failed.
class PrintOwner {
public:
    virtual ~PrintOwner() = default;
    virtual HWND Handle() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetMousePointer(int pointer) = 0;
};

// Prints `text` in Arial 10, with an optional header line (empty: none), on the default printer.
// When there is no printer, or the job cannot start or fails on the way, the job is abandoned so
// nothing of it stays in the spooler, and a stop-icon message titled "Print" says why. Either way
// the owner is enabled again with the default pointer when this returns.
void PrintText(PrintOwner& owner, std::string_view text, std::string_view header, bool underlineHeader,
               bool headerOnEveryPage);
// The same with a page as the owner.
void PrintText(platform::Page& owner, std::string_view text, std::string_view header, bool underlineHeader,
               bool headerOnEveryPage);

}  // namespace common
