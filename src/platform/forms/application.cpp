#include "platform/forms/application.h"

#include <algorithm>

#include <commctrl.h>
#include <ole2.h>

#include "platform/forms/page.h"
#include "platform/system/system.h"
#include "platform/win32/resources.h"
#include "platform/win32/window.h"

namespace platform {

Application::Application() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    Window::SetFailureReporter(this);
}

Application::~Application() {
    // Pages still loaded when the application goes (tests) are unloaded without asking.
    while (!loaded_.empty()) {
        std::shared_ptr<Page> page = loaded_.back();
        page->UnloadWithoutAsking();
    }
    unloaded_.clear();
    Window::SetFailureReporter(nullptr);
}

void Application::ReportFailure(HWND window, const std::string& what) {
    HWND owner = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    System().ShowMessage(owner, FailureMessage(what), ApplicationTitle(), MB_OK | MB_ICONHAND);
}

void Application::DispatchGuarded(MSG& message) {
    try {
        Dispatch(message);
    } catch (...) {
        ReportCurrentException(message.hwnd);
    }
}

Page* Application::PageOf(HWND window) const {
    if (!window) return nullptr;
    HWND root = GetAncestor(window, GA_ROOT);
    for (const auto& page : loaded_)
        if (page->hwnd() == root) return page.get();
    return nullptr;
}

void Application::AddLoaded(std::shared_ptr<Page> page) {
    ended_ = false;
    loaded_.push_back(std::move(page));
}

void Application::RemoveLoaded(Page& page) {
    auto found =
        std::find_if(loaded_.begin(), loaded_.end(), [&page](const auto& p) { return p.get() == &page; });
    if (found == loaded_.end()) return;
    unloaded_.push_back(*found);
    loaded_.erase(found);
    if (loaded_.empty()) {
        ended_ = true;
        PostQuitMessage(0);
    }
}

bool Application::Dispatch(MSG& message) {
    if (Page* page = PageOf(message.hwnd); page && page->PreTranslateMessage(message)) return true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void Application::ReleaseUnloaded() {
    // Only from the outermost loop: no handler of an unloaded page can be on the stack there.
    if (loopDepth_ <= 1) unloaded_.clear();
}

int Application::Run() {
    if (loaded_.empty()) return 0;
    ++loopDepth_;
    MSG message{};
    int exitCode = 0;
    while (true) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) break;
        DispatchGuarded(message);
        ReleaseUnloaded();
    }
    --loopDepth_;
    ReleaseUnloaded();
    return exitCode;
}

void Application::RunUntil(const std::function<bool()>& done) {
    ++loopDepth_;
    MSG message{};
    while (!done()) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
            break;
        }
        if (got == -1) break;
        DispatchGuarded(message);
    }
    --loopDepth_;
}

void Application::DoEvents() {
    ++loopDepth_;
    ++doEventsDepth_;
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchGuarded(message);
    }
    --doEventsDepth_;
    --loopDepth_;
    if (doEventsDepth_ == 0 && !deferredActivations_.empty()) {
        std::vector<std::weak_ptr<Page>> pages;
        pages.swap(deferredActivations_);
        for (const auto& weak : pages)
            if (auto page = weak.lock()) page->PostActivate();
    }
}

void Application::NotePaintedWhole() {
    if (firstFrameShown_) return;
    firstFrameShown_ = true;
    if (firstFrameObserver_) firstFrameObserver_();
}

HICON Application::ProgramIcon(bool small) {
    OwnedIcon& icon = small ? smallIcon_ : bigIcon_;
    if (!icon.get()) {
        int side = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
        icon = OwnedIcon(static_cast<HICON>(
            LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, side, side, 0)));
    }
    return icon.get();
}

void Application::DeferActivation(std::weak_ptr<Page> page) {
    deferredActivations_.push_back(std::move(page));
}

}  // namespace platform
