// The page host: load before activate, modal pages, close requests, the end of the run, which windows
// carry objects, failures that handlers let out, the icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/forms/application.h"
#include "platform/win32/gdi.h"
#include "platform/win32/resources.h"
#include "support/button_input.h"
#include "support/button_page.h"
#include "support/fake_system.h"
#include "support/test_page.h"

using testing_support::PumpUntil;
using testing_support::SimpleLayout;
using testing_support::TestPage;

TEST(PageHost, LoadComesBeforeTheFirstActivateAndShowsTheLayout) {
    platform::Application app;
    std::vector<std::string> log;
    auto page = std::make_shared<TestPage>(app, SimpleLayout("frmA", "    Caption = \"Hello\"\n"), &log);
    page->Load();
    EXPECT_EQ(log, std::vector<std::string>({"frmA load"}));
    EXPECT_EQ(page->Caption(), "Hello");
    EXPECT_EQ(page->Width() * 10000 + page->Height(), 4500 * 10000 + 3000);
    EXPECT_FALSE(IsWindowVisible(page->hwnd()));
    page->Show();
    ASSERT_TRUE(PumpUntil(app, [&] { return page->activations == 1; }));
    EXPECT_EQ(log, std::vector<std::string>({"frmA load", "frmA activate"}));
    page->UnloadWithoutAsking();
}

TEST(PageHost, ModalShowReturnsAfterTheUnloadAndActivatesTheOpenerAgain) {
    platform::Application app;
    std::vector<std::string> log;
    auto opener = std::make_shared<TestPage>(app, SimpleLayout("frmOpener"), &log);
    auto modal = std::make_shared<TestPage>(app, SimpleLayout("frmModal"), &log);
    opener->Show();
    ASSERT_TRUE(PumpUntil(app, [&] { return opener->activations == 1; }));

    bool openerEnabledDuringModal = true;
    modal->onActivate = [&] {
        openerEnabledDuringModal = IsWindowEnabled(opener->hwnd()) != FALSE;
        PostMessageA(modal->hwnd(), WM_CLOSE, 0, 0);
    };
    log.clear();
    modal->ShowModal();  // returns once the posted close has unloaded it
    log.push_back("returned");
    EXPECT_FALSE(modal->IsLoaded());
    EXPECT_FALSE(openerEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(opener->hwnd()));
    ASSERT_TRUE(PumpUntil(app, [&] { return opener->activations == 2; }));
    EXPECT_EQ(log, std::vector<std::string>({"frmModal load", "frmModal activate", "frmModal queryunload 0",
                                             "frmModal unload", "returned", "frmOpener activate"}));
    EXPECT_EQ(GetActiveWindow(), opener->hwnd());
    opener->UnloadWithoutAsking();
}

TEST(PageHost, ARefusedCloseKeepsThePageAndAnAcceptedOneEndsTheRun) {
    platform::Application app;
    std::vector<std::string> log;
    auto page = std::make_shared<TestPage>(app, SimpleLayout("frmMain"), &log);
    int asked = 0;
    page->onQueryUnload = [&](std::int16_t& cancel, std::int16_t) {
        ++asked;
        if (asked == 1) cancel = -1;
    };
    page->Show();
    SendMessageA(page->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(page->IsLoaded() && IsWindow(page->hwnd()));

    // The second close is accepted: the last page is gone and the loop ends by itself.
    PostMessageA(page->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(app.Ended() && app.LoadedPages().empty());
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
        ++clicks;
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
    EXPECT_EQ(system.messages[1].text, told);
    EXPECT_FALSE(fixture.page->IsLoaded());
}

namespace {

// The pixels of an icon's colour image as 32-bit rows from the top (blue, green, red, alpha).
std::vector<std::uint32_t> IconPixels(HICON icon, int& side) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP size{};
    GetObjectA(info.hbmColor, sizeof size, &size);
    side = size.bmWidth == size.bmHeight ? size.bmWidth : -1;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    BITMAPINFO format = platform::TopDownFormat(size.bmWidth, size.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &format,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// The image of that side in the program's icon group, as it is stored: 32-bit rows from the bottom.
std::vector<std::uint32_t> StoredIconImage(int side) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(platform::kProgramIconId), RT_GROUP_ICON);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    if (header->biSize != sizeof(BITMAPINFOHEADER) || header->biWidth != side || header->biBitCount != 32)
        return {};
    const auto* rows = reinterpret_cast<const std::uint32_t*>(bytes + header->biSize);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * side);
    for (int y = 0; y < side; ++y)
        std::copy(rows + (side - 1 - y) * side, rows + (side - y) * side, pixels.begin() + y * side);
    return pixels;
}

}  // namespace

TEST(PageHost, EveryPageShowsTheProgramsIconInItsTitleBarAndOnTheTaskbar) {
    platform::Application app;
    auto first = std::make_shared<TestPage>(app, SimpleLayout("frmFirst"));
    auto second = std::make_shared<TestPage>(app, SimpleLayout("frmSecond"));
    first->Load();
    second->Load();
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        SCOPED_TRACE(which);
        auto icon = reinterpret_cast<HICON>(SendMessageA(first->hwnd(), WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(second->hwnd(), WM_GETICON, which, 0)), icon);
        int side = 0;
        std::vector<std::uint32_t> shown = IconPixels(icon, side);
        EXPECT_EQ(side, GetSystemMetrics(metric));
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(side * side));
        EXPECT_TRUE(shown == StoredIconImage(side)) << "the icon shows the program's own image of its size";
    }
    first->UnloadWithoutAsking();
    second->UnloadWithoutAsking();
}
