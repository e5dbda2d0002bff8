#include "support/gdi_check.h"

namespace testing_support {

void SelectedDeletionCheck::Selected(HDC dc, HGDIOBJ /*object*/) {
    deviceContexts_.insert(dc);
}

void SelectedDeletionCheck::DeviceContextGone(HDC dc) {
    deviceContexts_.erase(dc);
}

void SelectedDeletionCheck::Deleting(HGDIOBJ object) {
    const char* kind = nullptr;
    DWORD type = GetObjectType(object);
    switch (type) {
    case OBJ_FONT: kind = "font"; break;
    case OBJ_BITMAP: kind = "bitmap"; break;
    case OBJ_PEN: kind = "pen"; break;
    case OBJ_BRUSH: kind = "brush"; break;
    default: return;  // regions and the rest are never selected in this sense
    }
    for (HDC dc : deviceContexts_) {
        if (GetCurrentObject(dc, type) == object) {
            faults_.push_back(std::string("a ") + kind + " deleted while selected");
            return;
        }
    }
}

}  // namespace testing_support
