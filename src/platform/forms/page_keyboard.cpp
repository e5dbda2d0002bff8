// The page's keyboard: the tab order and where the focus goes, the default and cancel controls, access
// keys with Alt (and without, on a control that lets letters be access keys), and Ctrl+Tab for a
// control with tabs of its own.
#include "platform/forms/page.h"

#include <algorithm>

namespace platform {

bool Page::IsUsable(const Control& control) const {
    return control.hwnd() && IsWindowVisible(control.hwnd()) && IsWindowEnabled(control.hwnd());
}

std::vector<Control*> Page::TabOrder() const {
    std::vector<Control*> order;
    for (const auto& control : controls_)
        if (control->CanTakeFocus()) order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    return order;
}

Control* Page::FocusedControl() const {
    return ControlOfWindow(GetFocus());
}

void Page::MoveFocus(bool forward) {
    std::vector<Control*> order = TabOrder();
    if (order.empty()) return;
    Control* current = FocusedControl();
    auto at = std::find(order.begin(), order.end(), current);
    std::size_t start =
        at == order.end() ? (forward ? order.size() - 1 : 0) : static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 1; step <= order.size(); ++step) {
        std::size_t i =
            forward ? (start + step) % order.size() : (start + order.size() - step) % order.size();
        if (IsUsable(*order[i])) {
            SetFocus(order[i]->hwnd());
            return;
        }
    }
}

void Page::RestoreFocus() {
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd(), lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    for (Control* control : TabOrder()) {
        if (IsUsable(*control)) {
            SetFocus(control->hwnd());
            return;
        }
    }
    SetFocus(hwnd());
}

bool Page::DisplaysAsDefault(const Control& control) const {
    if (!control.IsDefault()) return false;
    Control* focused = FocusedControl();
    return !focused || focused == &control || !focused->ActsAsButton();
}

void Page::OnControlFocusChanged() {
    for (const auto& control : controls_)
        if (control->IsDefault()) control->OnAmbientChanged("DisplayAsDefault");
}

bool Page::PreTranslateMessage(MSG& message) {
    // Only keys concern the page; every other message (timer ticks many times a second among them)
    // goes on without the questions below, each of which asks the window system.
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR && message.message != WM_CHAR)
        return false;
    if (!hwnd() || !IsWindowEnabled(hwnd())) return false;
    const char key = static_cast<char>(message.wParam);
    switch (message.message) {
    case WM_KEYDOWN: return OnPageKeyDown(message.wParam);
    case WM_SYSCHAR: return ActivateByAccessKey(key);
    case WM_CHAR: {
        // Letters and digits typed on a control that lets them be access keys act as Alt with them.
        Control* focused = FocusedControl();
        bool alphanumeric =
            (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
        return focused && focused->LetsLettersActivateAccessKeys() && alphanumeric &&
               ActivateByAccessKey(key);
    }
    default: return false;
    }
}

bool Page::OnPageKeyDown(WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    const bool forward = GetKeyState(VK_SHIFT) >= 0;
    if (key == VK_TAB && !ctrl && !alt) {
        MoveFocus(forward);
        return true;
    }
    if (key == VK_TAB && ctrl) {
        for (const auto& control : controls_)
            if (IsUsable(*control) && control->SelectNextTab(forward)) return true;
    }
    if (key == VK_RETURN || key == VK_ESCAPE) {
        // Enter and Esc click the default and the cancel control; the focus stays where it is.
        for (const auto& control : controls_) {
            if ((key == VK_RETURN ? control->IsDefault() : control->IsCancel()) && IsUsable(*control)) {
                control->OnAccessKey();
                return true;
            }
        }
    }
    return false;
}

bool Page::ActivateByAccessKey(char key) {
    if (key >= 'A' && key <= 'Z') key = static_cast<char>(key - 'A' + 'a');
    for (const auto& control : controls_) {
        if (control->AccessKey() == 0 || control->AccessKey() != key || !IsUsable(*control)) continue;
        if (control->CanTakeFocus() && GetFocus() != control->hwnd()) SetFocus(control->hwnd());
        control->OnAccessKey();
        return true;
    }
    return false;
}

}  // namespace platform
