// A check that nothing the program deletes is still selected into a device context. Under Wine such a
// deletion succeeds, so that the leak counts cannot see it; on Windows it fails and the object leaks.
// While a SelectedDeletionCheck lives it hears, through the drawing wrappers, every device context
// they select into and every object they delete, and asks GDI itself whether that object is still
// selected into one of those device contexts.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"

namespace testing_support {

class SelectedDeletionCheck : private platform::GdiWatcher {
public:
    SelectedDeletionCheck() : watch_(*this) {}

    // One line per deletion of a selected object, e.g. "a font deleted while selected".
    const std::vector<std::string>& Faults() const { return faults_; }

private:
    void Selected(HDC dc, HGDIOBJ object) override;
    void DeviceContextGone(HDC dc) override;
    void Deleting(HGDIOBJ object) override;

    std::set<HDC> deviceContexts_;
    std::vector<std::string> faults_;
    platform::GdiWatch watch_;  // last: it is removed before the rest goes
};

}  // namespace testing_support
