// The main page from start-up: its first activation and the welcome page, the contact labels, and the
// gift reminder that only No gets past.
#include "common/maker.h"
#include "pages_fixture.h"

TEST(MainPage, FirstActivationCaptionsEverythingAndShowsTheWelcomePageOnce) {
    Started s;
    bool welcomeChecked = false;
    s.Start([&](pages::AdvertisePage& welcome) {
        welcomeChecked = true;
        EXPECT_EQ(welcome.Caption(), "Welcome!");
        for (button::TamrixButton* b : {&welcome.cmdRegisterNow(), &welcome.cmdDownload(),
                                        &welcome.cmdPrintOrderForm(), &welcome.cmdPrintPage()})
            EXPECT_FALSE(b->Visible()) << b->Name();
        EXPECT_TRUE(welcome.cmdReturn().Visible());
        EXPECT_EQ(welcome.cmdReturn().Caption(), "&Continue\r\n(Esc)");
        EXPECT_EQ(welcome.txtProgramDescription().Text(), platform::LoadResString(200));
        // The links stay bare.
        EXPECT_EQ(welcome.strOrderLink() + welcome.strPrice(), std::string(common::OrderPrefix));
        EXPECT_EQ(welcome.strEvalLink(), std::string(common::DownloadFolder));
        EXPECT_EQ(GetFocus(), welcome.cmdReturn().hwnd());
        EXPECT_FALSE(IsWindowEnabled(s.main().hwnd()))
            << "the main page takes no input under the welcome page";
        // Keys typed ahead to the main page before the welcome page took the focus: Esc asks nothing.
        for (HWND window : {s.main().hwnd(), s.main().cmdQuit().hwnd()})
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        testing_support::Pump(s.app);
        EXPECT_TRUE(s.system.messages.empty()) << "the reminder came up under the welcome page";
    });
    ASSERT_TRUE(welcomeChecked);
    pages::MainPage& main = s.main();
    EXPECT_EQ(main.MainTab().Tab(), 0);
    EXPECT_EQ(main.cmdWelcome().Caption() + "|" + main.cmdQuit().Caption(), "Welcome!|Goodbye!");
    for (int i = 1; i <= 18; ++i)
        EXPECT_EQ(main.cmdChoice(i).Caption(), catalog::ProductNames().Item(i)) << i;
    EXPECT_EQ(main.lblHeader().Caption(), "Tamrix Software\r\nPO Box 417\r\nLodi, CA 95241-0417");
    EXPECT_EQ(main.lbl(1).Caption(), " info@tamrix-software.example ");
    EXPECT_EQ(main.lbl(1).CurrentToolTip(), " Email Tamrix Software ");
    EXPECT_EQ(main.lbl(2).Caption(), " www.tamrix-software.example ");
    EXPECT_EQ(main.lbl(2).CurrentToolTip(), " Visit Tamrix Software's Web Site ");
    EXPECT_EQ(main.Caption(), "Tamrix Software Catalog {rev 2026.12.6}");
    EXPECT_EQ(FrameAndPlace(main.hwnd(), nullptr), "caption, system menu, minimize box +0+0");
    ExpectTiledWith(main.hwnd(), main.imgPanel(3).Picture());
    for (int i = 0; i < 3; ++i) ExpectTiledWith(main.PicBox(i).hwnd(), main.imgPanel(i).Picture());

    // Later activations change nothing and bring no second welcome page.
    main.cmdChoice(12).SetCaption("changed");
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    testing_support::Pump(s.app);
    EXPECT_EQ(main.cmdChoice(12).Caption(), "changed");
    EXPECT_EQ(s.advertise(), nullptr);
}

TEST(MainPage, TheContactLabelsOpenTheMakersMailAndWebSiteAndOnlyNoToTheReminderEndsTheRun) {
    Started s;
    s.Start();
    for (int i : {1, 2}) {
        HWND label = s.main().lbl(i).hwnd();
        SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    ASSERT_EQ(s.system.shellCalls.size(), 2u);
    EXPECT_EQ(s.system.shellCalls[0].file + "|" + s.system.shellCalls[1].file,
              "mailto:info@tamrix-software.example|http://www.tamrix-software.example");
    EXPECT_EQ(s.system.shellCalls[1].owner, s.main().hwnd());

    // Under Wine Esc, Alt+F4 and the box's close box answer Cancel; a box that could not be shown
    // answers 0.
    for (int answer : {IDCANCEL, 0, IDYES, IDOK}) {
        s.system.answers = {answer};
        SendMessageA(s.main().hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(s.main().IsLoaded()) << answer;
    }
    ASSERT_EQ(s.system.messages.size(), 4u);
    const testing_support::ShownMessage& reminder = s.system.messages[0];
    EXPECT_EQ(
        reminder.text,
        "Just a friendly reminder...\r\n\r\nKeep in mind that many of these programs\r\nwould make a GREAT "
        "inexpensive gift!\r\n\r\nYou can order online and provide the\r\nname/address of the lucky "
        "recipient\r\nin the ordering details!\r\n\r\nWould you like to do that now?");
    EXPECT_EQ(reminder.title, "Thanks for visiting Tamrix Software's Catalog!");
    EXPECT_EQ(reminder.style, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(reminder.owner, s.main().hwnd());
    s.system.answers = {IDNO};
    s.main().cmdQuit().OnAccessKey();
    EXPECT_FALSE(s.main().IsLoaded());
    EXPECT_TRUE(s.app.Ended());
    EXPECT_EQ(s.system.messages.size(), 5u);
}

TEST(MainPage, TheTitleWritesTheVersionWithTheDecimalSeparatorOfTheUsersLocale) {
    testing_support::FakeSystem system;
    platform::Application app;
    std::string titles;
    // An empty separator, which the locale settings may hold, is written as a point.
    for (const char* separator : {",", "", "."}) {
        system.decimalSeparator = separator;
        auto page = std::make_shared<pages::MainPage>(app);
        page->Load();
        titles += page->Caption() + "|";
        page->UnloadWithoutAsking();
    }
    EXPECT_EQ(titles,
              "Tamrix Software Catalog {rev 2026,12,6}|Tamrix Software Catalog {rev 2026.12.6}|"
              "Tamrix Software Catalog {rev 2026.12.6}|");
}
