#include "platform/win32/colour.h"

#include <ole2.h>
#include <olectl.h>

namespace platform {

COLORREF TranslateColour(std::uint32_t colour) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &rgb))) return 0;
    return rgb;
}

}  // namespace platform
