// Where a page opens, its icons, and the frame its layout gives it.
#include <gtest/gtest.h>

#include <tuple>

#include "support/fake_system.h"
#include "support/test_page.h"

TEST(PageHost, APageWhoseLayoutNamesNoPlaceOpensCentredOnTheScreen) {
    platform::Application app;
    auto page =
        std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmAnywhere"));
    page->Show();
    RECT window{}, area{};
    GetWindowRect(page->hwnd(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR(window.left + window.right, area.left + area.right, 2);
    EXPECT_NEAR(window.top + window.bottom, area.top + area.bottom, 2);
    // Shown again after the user moved it, it stays where the user put it.
    SetWindowPos(page->hwnd(), nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(page->hwnd(), SW_HIDE);
    page->Show();
    GetWindowRect(page->hwnd(), &window);
    EXPECT_EQ(window.left * 1000 + window.top, 7009);
    page->UnloadWithoutAsking();

    // A page larger than the screen opens at its top-left corner, where its title bar can be reached.
    auto large = std::make_shared<testing_support::TestPage>(
        app, "Begin Page frmLarge\n    Width = 30000\n    Height = 30000\n    StartUpPosition = 2\nEnd\n");
    large->Show();
    GetWindowRect(large->hwnd(), &window);
    EXPECT_EQ(window.left * 1000 + window.top, 0);
    large->UnloadWithoutAsking();
}

// Every page carries the program's icon, large for Alt+Tab and small for its title bar, and a minimize
// box unless its layout takes it away.
TEST(PageHost, APageHasTheProgramsIconsAndAMinimizeBoxUnlessItsLayoutSaysNot) {
    platform::Application app;
    for (const char* minButton : {"", "    MinButton = False\n"}) {
        auto page = std::make_shared<testing_support::TestPage>(
            app, testing_support::SimpleLayout("frmIcon", minButton));
        page->Load();
        auto icon = [&](WPARAM which) {
            return reinterpret_cast<HICON>(SendMessageA(page->hwnd(), WM_GETICON, which, 0));
        };
        EXPECT_EQ(icon(ICON_BIG), app.ProgramIcon(false));
        EXPECT_EQ(icon(ICON_SMALL), app.ProgramIcon(true));
        EXPECT_NE(app.ProgramIcon(false), app.ProgramIcon(true));
        EXPECT_EQ((GetWindowLongA(page->hwnd(), GWL_STYLE) & WS_MINIMIZEBOX) != 0, *minButton == 0);
        page->UnloadWithoutAsking();
    }
}

// Each border style a layout may name gives its own frame, silently; any other is told, and the page
// gets the sizable frame.
TEST(PageHost, EachBorderStyleGivesItsFrameAndAnyOtherIsToldAndSizable) {
    testing_support::FakeSystem system;
    platform::Application app;
    const LONG frameBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    const std::tuple<const char*, LONG, bool, bool> rows[] = {
        // style named            frame bits                      dialog frame  told
        {"None", WS_POPUP, false, false},
        {"FixedSingle", WS_CAPTION | WS_SYSMENU, false, false},
        {"Sizable", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, false, false},
        {"FixedDialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, true, false},
        {"FixedToolWindow", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, false, true},
    };
    for (const auto& [named, bits, dialogFrame, told] : rows) {
        SCOPED_TRACE(named);
        system.messages.clear();
        auto page = std::make_shared<testing_support::TestPage>(
            app,
            testing_support::SimpleLayout("frmFramed", std::string("    BorderStyle = \"") + named + "\"\n"));
        page->Load();
        EXPECT_EQ(GetWindowLongA(page->hwnd(), GWL_STYLE) & frameBits, bits);
        EXPECT_EQ((GetWindowLongA(page->hwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0, dialogFrame);
        EXPECT_EQ(system.messages.size(), told ? 1u : 0u);
        const std::string text = system.messages.empty() ? "" : system.messages[0].text;
        EXPECT_EQ(text.find("must be None, FixedSingle, Sizable or FixedDialog") != std::string::npos, told);
        page->UnloadWithoutAsking();
    }
}

// The problems a layout has are told at its load in one box: the first twelve listed, the rest counted.
TEST(PageHost, TwelveLoadProblemsAreListedAndAnyMoreCounted) {
    testing_support::FakeSystem system;
    platform::Application app;
    for (int problems : {12, 13}) {
        std::string body;
        for (int i = 0; i < problems; ++i) body += "    Odd" + std::to_string(i) + " = 1\n";
        auto page =
            std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmOdd", body));
        page->Load();
        ASSERT_EQ(system.messages.size(), 1u);
        const std::string& text = system.messages[0].text;
        int listed = 0;
        for (std::size_t at = text.find("key Odd"); at != std::string::npos;
             at = text.find("key Odd", at + 1))
            ++listed;
        EXPECT_EQ(listed, 12);
        const std::size_t more = text.find("\r\n... and ");
        EXPECT_EQ(more == std::string::npos ? "" : text.substr(more),
                  problems == 13 ? "\r\n... and 1 more." : "");
        system.messages.clear();
        page->UnloadWithoutAsking();
    }
}
