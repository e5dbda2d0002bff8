#include "platform/controls/standard_controls.h"

#include "platform/controls/image_box.h"
#include "platform/controls/label.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/tab_strip.h"
#include "platform/controls/text_box.h"

namespace platform {

std::unique_ptr<Control> MakeStandardControl(ControlHost& host, const LayoutNode& node) {
    if (node.className == "Label") return std::make_unique<Label>(host, node);
    if (node.className == "TextBox") return std::make_unique<TextBox>(host, node);
    if (node.className == "PictureBox") return std::make_unique<PictureBox>(host, node);
    if (node.className == "Image") return std::make_unique<ImageBox>(host, node);
    if (node.className == "TabDlg.SSTab") return std::make_unique<TabStrip>(host, node);
    return nullptr;
}

}  // namespace platform
