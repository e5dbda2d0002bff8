#include "platform/forms/control.h"

#include <algorithm>

#include "platform/forms/accessible.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

// Pixels of a size in twips, never more than can be drawn whatever the resolution.
int ExtentPixels(int twips, int dpi) {
    return std::min(TwipsToPixels(twips, dpi), kLargestExtentPixels);
}

}  // namespace

bool IsExtenderKey(std::string_view key) {
    static constexpr std::string_view kKeys[] = {"Left",    "Top",     "Width",  "Height",     "TabIndex",
                                                 "Visible", "Default", "Cancel", "ToolTipText"};
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

Control::Control(ControlHost& host, const LayoutNode& node)
    : host_(host), className_(node.className), name_(node.name), index_(node.index) {}

Control::~Control() = default;

std::string Control::DisplayName() const {
    return index_ ? name_ + "(" + std::to_string(*index_) + ")" : name_;
}

void Control::Build(HWND parent, PropertyBag& bag) {
    left_ = bag.ReadLong("Left", 0);
    top_ = bag.ReadLong("Top", 0);
    width_ = bag.ReadExtent("Width", 1200, kLargestExtentTwips);
    height_ = bag.ReadExtent("Height", 375, kLargestExtentTwips);
    tabIndex_ = bag.ReadInteger("TabIndex", 0);
    visible_ = bag.ReadTruth("Visible", true);
    default_ = bag.ReadTruth("Default", false);
    cancel_ = bag.ReadTruth("Cancel", false);
    toolTip_ = bag.ReadText("ToolTipText", "");

    int dpi = host_.Dpi();
    if (!CreateControlWindow(parent, TwipsToPixels(left_, dpi), TwipsToPixels(top_, dpi),
                             ExtentPixels(width_, dpi), ExtentPixels(height_, dpi))) {
        bag.Report({}, "the control's window could not be made");
        return;
    }
    ReadSettings(bag);
    for (const LayoutProperty& p : bag.node().properties)
        if (!IsExtenderKey(p.key) && !KnowsKey(p.key))
            bag.Report(p.key, "the key is unknown to a " + className_);
    OnResized();
    if (visible_ && hwnd()) ShowWindow(hwnd(), SW_SHOWNA);
}

void Control::ApplyPlacement() {
    if (!hwnd()) return;
    int dpi = host_.Dpi();
    SetWindowPos(hwnd(), nullptr, TwipsToPixels(left_, dpi), TwipsToPixels(top_, dpi),
                 ExtentPixels(width_, dpi), ExtentPixels(height_, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::Move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = std::clamp(width, 0, kLargestExtentTwips);
    height_ = std::clamp(height, 0, kLargestExtentTwips);
    ApplyPlacement();
    OnResized();
}

void Control::OnDpiChanged() {
    ApplyPlacement();
    OnResized();
}

int Control::Dpi() const {
    return host_.Dpi();
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (hwnd()) ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    host_.UpdateShownControls();
}

bool Control::Enabled() const {
    return hwnd() && IsWindowEnabled(hwnd());
}

void Control::SetEnabled(bool enabled) {
    if (hwnd()) EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

std::string Control::AccessibleName(int part) const {
    return part == 0 ? accessibleName_ : std::string();
}

void Control::SetAccessibleName(std::string name) {
    if (name == accessibleName_) return;
    accessibleName_ = std::move(name);
    if (hwnd()) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETOBJECT:
        if (LRESULT object = AnswerAccessibleObjectRequest(*this, wParam, lParam)) return object;
        break;
    case kAccessibleActionMessage: RunAccessibleDefaultAction(static_cast<int>(wParam)); return 0;
    default: break;
    }
    return Default(message, wParam, lParam);
}

LayoutNode Control::SaveToLayout() {
    LayoutNode node;
    node.className = className_;
    node.name = name_;
    node.index = index_;
    PropertyBag bag(node, host_.Name(), nullptr);
    bag.WriteLong("Left", left_);
    bag.WriteLong("Top", top_);
    bag.WriteLong("Width", width_);
    bag.WriteLong("Height", height_);
    bag.WriteInteger("TabIndex", static_cast<std::int16_t>(tabIndex_));
    if (!visible_) bag.WriteTruth("Visible", false);
    if (default_) bag.WriteTruth("Default", true);
    if (cancel_) bag.WriteTruth("Cancel", true);
    if (!toolTip_.empty()) bag.WriteText("ToolTipText", toolTip_);
    WriteSettings(bag);
    return node;
}

}  // namespace platform
