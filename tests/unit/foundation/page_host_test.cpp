// The page host: modal pages, close requests, the end of the run, which windows
// carry objects, failures that handlers let out.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/forms/application.h"
#include "support/button_input.h"
#include "support/button_page.h"
#include "support/fake_system.h"
#include "support/test_page.h"

using testing_support::PumpUntil;
using testing_support::SimpleLayout;
using testing_support::TestPage;

TEST(PageHost, ModalShowReturnsAfterTheUnloadAndActivatesTheOpenerAgain) {
    platform::Application app;
    std::vector<std::string> log;
    auto opener = std::make_shared<TestPage>(app, SimpleLayout("frmOpener"), &log);
    auto modal = std::make_shared<TestPage>(app, SimpleLayout("frmModal"), &log);
    opener->Show();
    ASSERT_TRUE(PumpUntil(app, [&] { return opener->activations == 1; }));

    // Loaded before its opener went to a display of 150 %, the modal page is shown at its opener's scale.
    log.clear();
    modal->Load();
    RECT moved{0, 0, 600, 450};
    SendMessageA(opener->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&moved));
    bool openerEnabledDuringModal = true;
    HWND ownerDuringModal = nullptr;
    int dpiDuringModal = 0;
    modal->onActivate = [&] {
        openerEnabledDuringModal = IsWindowEnabled(opener->hwnd()) != FALSE;
        ownerDuringModal = GetWindow(modal->hwnd(), GW_OWNER);
        dpiDuringModal = modal->Dpi();
        PostMessageA(modal->hwnd(), WM_CLOSE, 0, 0);
    };
    modal->ShowModal();  // returns once the posted close has unloaded it
    log.push_back("returned");
    EXPECT_FALSE(modal->IsLoaded());
    EXPECT_FALSE(openerEnabledDuringModal);
    EXPECT_EQ(ownerDuringModal, opener->hwnd()) << "the modal page is not kept above its opener";
    EXPECT_EQ(dpiDuringModal, 144);
    EXPECT_TRUE(IsWindowEnabled(opener->hwnd()));
    ASSERT_TRUE(PumpUntil(app, [&] { return opener->activations == 2; }));
    EXPECT_EQ(log, std::vector<std::string>({"frmModal load", "frmModal activate", "frmModal queryunload 0",
                                             "frmModal unload", "returned", "frmOpener activate"}));
    EXPECT_EQ(GetActiveWindow(), opener->hwnd());
    opener->UnloadWithoutAsking();
}

// A page loaded again after it closed is asked again before it closes; one that is unloaded by its own
// close-request handler (the program ending from there) is gone when that unload returns.
TEST(PageHost, AReloadedPageIsAskedAgainAndAnUnloadFromItsOwnCloseRequestIsDoneAtOnce) {
    platform::Application app;
    auto keeper = std::make_shared<TestPage>(app, SimpleLayout("frmKeeper"));  // the run goes on meanwhile
    keeper->Load();
    std::vector<std::string> log;
    auto page = std::make_shared<TestPage>(app, SimpleLayout("frmAgain"), &log);
    page->Show();
    EXPECT_TRUE(page->Unload(platform::kFormControlMenu));
    page->Show();
    page->onQueryUnload = [](std::int16_t& cancel, std::int16_t) { cancel = 1; };
    EXPECT_FALSE(page->Unload(platform::kFormControlMenu));
    EXPECT_TRUE(page->IsLoaded());

    bool goneAtOnce = false;
    page->onQueryUnload = [&](std::int16_t&, std::int16_t) {
        goneAtOnce = page->Unload(platform::kFormCode) && !page->IsLoaded() && !IsWindow(page->hwnd());
    };
    log.clear();
    EXPECT_TRUE(page->Unload());  // the program's own unload
    EXPECT_TRUE(goneAtOnce);
    EXPECT_EQ(log, std::vector<std::string>({"frmAgain queryunload 1", "frmAgain unload"}));
    keeper->UnloadWithoutAsking();
}

TEST(PageHost, OnlyWindowsOfThePagesOwnClassesAreTakenForObjects) {
    platform::Application app;
    auto page = std::make_shared<TestPage>(app, SimpleLayout("frmA"));
    page->Load();
    EXPECT_EQ(platform::Window::FromHandle(page->hwnd()), page.get());
    // A window of a system class that happens to keep a pointer in its user data is not one of ours.
    HWND foreign =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, page->hwnd(), nullptr, nullptr, nullptr);
    SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page.get()));
    EXPECT_EQ(platform::Window::FromHandle(foreign), nullptr);
    EXPECT_EQ(platform::Window::FromHandle(GetDesktopWindow()), nullptr);
    DestroyWindow(foreign);
    page->UnloadWithoutAsking();
}

TEST(PageHost, AFailingClickHandlerIsToldInAStopBoxAndThePageGoesOn) {
    testing_support::FakeSystem system;
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 80, 24, "BTYPE = 14\nTX = \"&Go\"\nDefault = True\n");
    button::TamrixButton& b = *fixture.button;
    int clicks = 0;
    // The page's code asks for a control that its layout does not have.
    b.events.Click = [&] {
        if (++clicks == 2) throw std::bad_alloc();  // the second time, memory runs out
        fixture.page->Get<button::TamrixButton>("cmdMissing");
    };
    const std::string told =
        "Something went wrong, and what was asked for was not done:\r\n\r\npage frmButtonTest has no control "
        "cmdMissing of the expected kind\r\n\r\nYou can go on working.";
    // Clicked with the mouse: the failure comes out of the button's window procedure.
    testing_support::SendMouse(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    testing_support::SendMouse(b.hwnd(), WM_LBUTTONUP, 0, 5, 5);
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, told);
    EXPECT_EQ(system.messages[0].title, "Catalog");
    EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONHAND | MB_OK));
    EXPECT_EQ(system.messages[0].owner, fixture.page->hwnd());
    EXPECT_EQ(GetCapture(), nullptr);

    // Pressed with Enter, as the page's default button: the failure comes out of the page's keyboard
    // handling in the message loop, which runs on and ends as usual when the page is closed.
    HWND page = fixture.page->hwnd();
    PostMessageA(page, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(page, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(system.messages.size(), 2u);
    EXPECT_EQ(system.messages[1].text,
              "Something went wrong, and what was asked for was not done:\r\n\r\nthere was not enough "
              "memory\r\n\r\nYou can go on working.");
    EXPECT_FALSE(fixture.page->IsLoaded());
}

namespace {

// A window whose painting fails every time, and its end when asked.
class FailingPaintWindow : public platform::Window {
public:
    FailingPaintWindow() {
        Create("TestFailingPaint", 0, 0, WS_POPUP | WS_VISIBLE, "", 0, 0, 40, 30, nullptr);
    }
    int paints = 0;
    bool failAtEnd = false;

protected:
    void OnWindowDestroyed() override {
        if (failAtEnd) throw std::runtime_error("nothing to end with");
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) ++paints, throw std::runtime_error("nothing to paint with");
        return Window::HandleMessage(message, wParam, lParam);
    }
};

}  // namespace

// A paint that fails is told once; the window is not painted again and again meanwhile. A failure as
// the window goes is told too.
TEST(PageHost, AFailingPaintIsToldOnceAndNotTriedAgainAtOnce) {
    testing_support::FakeSystem system;
    platform::Application app;
    FailingPaintWindow window;
    UpdateWindow(window.hwnd());
    // One message at a time for a while: a paint that came back again and again would be counted.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 300;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        else Sleep(1);
    }
    EXPECT_EQ(window.paints, 1);
    EXPECT_EQ(system.messages.size(), 1u);
    window.failAtEnd = true;
    DestroyWindow(window.hwnd());
    EXPECT_EQ(system.messages.size(), 2u);
}
