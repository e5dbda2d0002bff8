// The event loop and the list of loaded pages. The run ends when the last page unloads; modal pages
// run nested loops on the same thread. A failure that a handler lets out (in a window procedure or in
// the page's keyboard handling called from the loop) is told to the user in a message box with the
// stop icon and the program's title, and the run goes on.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/win32/gdi.h"
#include "platform/win32/win.h"
#include "platform/win32/window.h"

namespace platform {

class Page;

class Application : private FailureReporter {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Serves messages until the last page has unloaded (or WM_QUIT arrives); returns the exit code.
    int Run();

    // Serves messages until `done` says so or WM_QUIT arrives (then WM_QUIT is posted again for the
    // loop outside). Used by modal pages.
    void RunUntil(const std::function<bool()>& done);

    // Lets pending messages run, then returns. A page that becomes active
    // meanwhile gets its activate event after DoEvents has returned, not inside it: a control that lets
    // messages run while it is being shown finishes showing before its page's activate event runs.
    void DoEvents();
    bool InDoEvents() const { return doEventsDepth_ > 0; }
    // For Page: an activate event held back until DoEvents returns.
    void DeferActivation(std::weak_ptr<Page> page);

    // Pages in the order they were loaded.
    std::vector<std::shared_ptr<Page>> LoadedPages() const { return loaded_; }

    // The page of a window, if the window is one of a loaded page's windows.
    Page* PageOf(HWND window) const;

    // For Page: bookkeeping of loads and unloads.
    void AddLoaded(std::shared_ptr<Page> page);
    void RemoveLoaded(Page& page);

    // Whether the run has ended (every page unloaded).
    bool Ended() const { return ended_; }

    // Hands one message to its page's keyboard handling, or translates and dispatches it.
    bool Dispatch(MSG& message);

    // `observer` is called once, the first time a page has painted whole (its controls included): the
    // program's first frame. The program itself sets none.
    void ObserveFirstFrame(std::function<void()> observer) { firstFrameObserver_ = std::move(observer); }
    // For Page: a page has just painted whole.
    void NotePaintedWhole();

    // The program's icon at the size of the title bar (small) or of the taskbar and Alt+Tab (big),
    // loaded on first use and kept for the run; every page shows it.
    HICON ProgramIcon(bool small);

private:
    void ReportFailure(HWND window, const std::string& what) override;
    // Dispatch, with any failure told to the user rather than ending the loop.
    void DispatchGuarded(MSG& message);
    void ReleaseUnloaded();

    std::vector<std::shared_ptr<Page>> loaded_;
    std::vector<std::shared_ptr<Page>> unloaded_;  // kept until no handler of theirs can still be running
    int loopDepth_ = 0;
    int doEventsDepth_ = 0;
    std::vector<std::weak_ptr<Page>> deferredActivations_;
    bool ended_ = false;
    std::function<void()> firstFrameObserver_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    bool firstFrameShown_ = false;
};

}  // namespace platform
