#include "platform/win32/window.h"

#include <exception>
#include <new>

#include "platform/win32/resources.h"

namespace platform {
namespace {

FailureReporter* g_failureReporter = nullptr;
bool g_reportingFailure = false;

}  // namespace

std::string DescribeCurrentException() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "there was not enough memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unexpected error occurred";
    }
}

std::string FailureMessage(const std::string& what) {
    return "Something went wrong, and what was asked for was not done:\r\n\r\n" + what +
           "\r\n\r\nYou can go on working.";
}

void ReportCurrentException(HWND window) noexcept {
    try {
        ReportFailure(window, DescribeCurrentException());
    } catch (...) {
        // Not even the words could be made (no memory left).
    }
}

void ReportFailure(HWND window, const std::string& what) noexcept {
    // One message at a time: a failure while the user reads about another one is not piled on top.
    if (g_reportingFailure) return;
    g_reportingFailure = true;
    try {
        if (g_failureReporter) {
            g_failureReporter->ReportFailure(window, what);
        } else {
            MessageBoxA(nullptr, FailureMessage(what).c_str(), ApplicationTitle().c_str(),
                        MB_OK | MB_ICONHAND | MB_TASKMODAL);
        }
    } catch (...) {
        // Nothing is left to tell the user with.
    }
    g_reportingFailure = false;
}

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
    // Any window may keep something in its user data; only ours keep an object there.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) != &Window::StaticProc)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Window::SetFailureReporter(FailureReporter* reporter) {
    g_failureReporter = reporter;
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
        // Windows calls this procedure for windows of our own classes only.
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    // Only a top-level window gets messages before WM_NCCREATE (WM_GETMINMAXINFO); none of them
    // needs the object.
    if (!self) return DefWindowProcA(window, message, wParam, lParam);

    if (message == WM_PAINT) self->paintPending_ = false;
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        result = AnswerAfterFailure(window, message);
        ReportCurrentException(window);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->OnWindowDestroyed();
        } catch (...) {
            ReportCurrentException(window);
        }
    }
    return result;
}

LRESULT Window::AnswerAfterFailure(HWND window, UINT message) {
    switch (message) {
    case WM_NCCREATE: return FALSE;  // the window is not made
    case WM_CREATE: return -1;
    case WM_PAINT:
        // Nothing more to paint this time: another failing paint at once would only repeat the failure.
        ValidateRect(window, nullptr);
        return 0;
    default: return 0;
    }
}

}  // namespace platform
