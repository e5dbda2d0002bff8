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
    void Selected(HDC dc, HGDIOBJ) override { deviceContexts_.insert(dc); }
    void DeviceContextGone(HDC dc) override { deviceContexts_.erase(dc); }
    void Deleting(HGDIOBJ object) override {
        const DWORD type = GetObjectType(object);
        // Regions and the rest are never selected in this sense.
        const char* kind = type == OBJ_FONT     ? "font"
                           : type == OBJ_BITMAP ? "bitmap"
                           : type == OBJ_PEN    ? "pen"
                           : type == OBJ_BRUSH  ? "brush"
                                                : nullptr;
        for (HDC dc : deviceContexts_)
            if (kind && GetCurrentObject(dc, type) == object)
                return faults_.push_back(std::string("a ") + kind + " deleted while selected");
    }

    std::set<HDC> deviceContexts_;
    std::vector<std::string> faults_;
    platform::GdiWatch watch_;  // last: it is removed before the rest goes
};

}  // namespace testing_support
