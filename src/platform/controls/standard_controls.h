// The toolkit's own control classes by the class names a page layout uses for them: "Label",
// "TextBox", "PictureBox", "Image" and "TabDlg.SSTab".
#pragma once

#include <memory>

#include "platform/forms/control.h"

namespace platform {

// The control of a layout block of one of the toolkit's classes, or null for any other class.
std::unique_ptr<Control> MakeStandardControl(ControlHost& host, const LayoutNode& node);

}  // namespace platform
