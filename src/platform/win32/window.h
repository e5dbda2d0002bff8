// The link between a Win32 window and the C++ object behind it, kept in one place: the object pointer
// travels in CreateWindowEx's last argument, is stored at WM_NCCREATE and cleared at WM_NCDESTROY.
//
// No exception leaves a message handler into Windows: the window procedure catches whatever a handler
// lets out, tells the user through the failure reporter, and answers the message as if it had been
// handled, so the program goes on.
#pragma once

#include <string>

#include "platform/win32/win.h"

namespace platform {

// Tells the user that something the program was doing failed (`what` in plain words). The
// application installs one for its lifetime; without one a plain message box says it.
class FailureReporter {
public:
    virtual void ReportFailure(HWND window, const std::string& what) = 0;

protected:
    ~FailureReporter() = default;
};

// The words for the exception being handled (call inside a catch block only).
std::string DescribeCurrentException();

// What the user is told of a failure: what went wrong, and that the program is still usable.
std::string FailureMessage(const std::string& what);

// Tells the user through the reporter in force; never throws.
void ReportFailure(HWND window, const std::string& what) noexcept;
// The same for the exception being handled (call inside a catch block only).
void ReportCurrentException(HWND window) noexcept;

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool IsAlive() const { return hwnd_ != nullptr; }

    // The object of a window made through Window::Create, or null for any other window: only a
    // window of this process whose class has this program's window procedure carries an object.
    static Window* FromHandle(HWND window);

    // Installs the reporter of failures in message handlers (null: the plain message box again).
    static void SetFailureReporter(FailureReporter* reporter);

protected:
    // Registers the class on first use (CS_DBLCLKS when asked) and creates the window.
    bool Create(const char* className, UINT classStyle, DWORD exStyle, DWORD style, const char* text, int x,
                int y, int width, int height, HWND parent, HCURSOR cursor = nullptr);

    // Creates a window of a class built on a system class (EDIT...): it behaves as the system class
    // does, and this object sees every message first.
    bool CreateSuperclassed(const char* baseClass, const char* className, DWORD exStyle, DWORD style,
                            const char* text, int x, int y, int width, int height, HWND parent);

    // Handles one message; the default passes it to DefWindowProc (or the system class's procedure).
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone (after WM_NCDESTROY); hwnd() is null from here on.
    virtual void OnWindowDestroyed() {}

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Asks for a paint of the whole window (erasing the background first when asked). One request is
    // enough until the paint comes: asking the window system again for every change (dozens of
    // pictures while a page tiles, every painting of a hovered button) costs more than the change.
    void RequestPaint(bool erase);

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The answer to a message whose handler failed: what tells Windows that nothing more is to be done.
    static LRESULT AnswerAfterFailure(HWND window, UINT message);

    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;  // the system class's procedure for a superclassed window
    bool paintPending_ = false;   // a paint was asked for and has not come yet
};

// The program's module handle (the exe's resources live there).
HINSTANCE ModuleInstance();

}  // namespace platform
