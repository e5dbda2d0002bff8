#include "platform/win32/window.h"

namespace platform {

HINSTANCE ModuleInstance() {
    return GetModuleHandleA(nullptr);
}

Window::~Window() {
    if (hwnd_) {
        HWND window = hwnd_;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

Window* Window::FromHandle(HWND window) {
    if (!window) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Window::Create(const char* className, UINT classStyle, DWORD exStyle, DWORD style, const char* text,
                    int x, int y, int width, int height, HWND parent, HCURSOR cursor) {
    HINSTANCE instance = ModuleInstance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::StaticProc;
        wc.hInstance = instance;
        wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        if (!RegisterClassExA(&wc)) return false;
    }
    HWND window = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                                  instance, this);
    return window != nullptr;
}

bool Window::CreateSuperclassed(const char* baseClass, const char* className, DWORD exStyle, DWORD style,
                                const char* text, int x, int y, int width, int height, HWND parent) {
    HINSTANCE instance = ModuleInstance();
    WNDCLASSEXA base{};
    base.cbSize = sizeof base;
    if (!GetClassInfoExA(nullptr, baseClass, &base)) return false;
    baseProc_ = base.lpfnWndProc;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc = base;
        wc.lpfnWndProc = &Window::StaticProc;
        wc.hInstance = instance;
        wc.lpszClassName = className;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        if (!RegisterClassExA(&wc)) return false;
    }
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr, instance,
                           this) != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (baseProc_) return CallWindowProcA(baseProc_, hwnd_, message, wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Window::RequestPaint(bool erase) {
    if (!hwnd_ || paintPending_) return;
    paintPending_ = InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE) != FALSE;
}

LRESULT CALLBACK Window::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(window);
    }
    // Only a top-level window gets messages before WM_NCCREATE (WM_GETMINMAXINFO); none of them
    // needs the object.
    if (!self) return DefWindowProcA(window, message, wParam, lParam);

    if (message == WM_PAINT) self->paintPending_ = false;
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnWindowDestroyed();
    }
    return result;
}

}  // namespace platform
