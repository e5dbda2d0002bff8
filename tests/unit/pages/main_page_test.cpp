// The main page from start-up: its layout, first activation, the welcome page, and the quit paths.
#include "common/maker.h"
#include "pages_fixture.h"
#include "platform/units.h"

TEST(MainPage, FirstActivationCaptionsEverythingAndShowsTheWelcomePageOnce) {
    Started s;
    bool welcomeChecked = false;
    s.Start([&](pages::AdvertisePage& welcome) {
        welcomeChecked = true;
        EXPECT_EQ(welcome.Caption(), "Welcome!");
        for (button::TamrixButton* b :
             {&welcome.cmdRegisterNow(), &welcome.cmdDownload(), &welcome.cmdPrintOrderForm(), &welcome.cmdPrintPage()})
            EXPECT_FALSE(b->Visible()) << b->Name();
        EXPECT_TRUE(welcome.cmdReturn().Visible());
        EXPECT_EQ(welcome.cmdReturn().Caption(), "&Continue\r\n(Esc)");
        EXPECT_EQ(welcome.txtProgramDescription().Text(), platform::LoadResString(200));
        // The links stay bare.
        EXPECT_EQ(welcome.strOrderLink() + welcome.strPrice(), std::string(common::OrderPrefix));
        EXPECT_EQ(welcome.strEvalLink(), std::string(common::DownloadFolder));
        EXPECT_EQ(GetFocus(), welcome.cmdReturn().hwnd());
        EXPECT_FALSE(IsWindowEnabled(s.main().hwnd())) << "the main page takes no input under the welcome page";
    });
    ASSERT_TRUE(welcomeChecked);
    pages::MainPage& main = s.main();
    EXPECT_EQ(main.MainTab().Tab(), 0);
    EXPECT_EQ(main.cmdWelcome().Caption() + "|" + main.cmdQuit().Caption(), "Welcome!|Goodbye!");
    for (int i = 1; i <= 18; ++i) EXPECT_EQ(main.cmdChoice(i).Caption(), app::ProductNames().Item(i)) << i;
    EXPECT_EQ(main.lblHeader().Caption(), "Tamrix Software\r\nPO Box 417\r\nLodi, CA 95241-0417");
    EXPECT_EQ(main.lbl(1).Caption(), " info@tamrix-software.example ");
    EXPECT_EQ(main.lbl(1).CurrentToolTip(), " Email Tamrix Software ");
    EXPECT_EQ(main.lbl(2).Caption(), " www.tamrix-software.example ");
    EXPECT_EQ(main.lbl(2).CurrentToolTip(), " Visit Tamrix Software's Web Site ");
    EXPECT_EQ(main.Caption(), "Tamrix Software Catalog {rev 2026.12.6}");

    // Later activations change nothing and bring no second welcome page.
    main.cmdChoice(12).SetCaption("changed");
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    testing_support::Pump(s.app);
    EXPECT_EQ(main.cmdChoice(12).Caption(), "changed");
    EXPECT_EQ(s.advertise(), nullptr);
}

TEST(MainPage, LayoutPlacesEveryControlAndEachTabHoldsItsGrid) {
    Started s;
    s.Start();
    pages::MainPage& main = s.main();
    EXPECT_NEAR(main.Width(), 7570, 15);
    EXPECT_NEAR(main.Height(), 5475, 15);
    const int grid[3][7] = {{11, 1, 15, 2, 3, 17, 10}, {12, 14, 5, 6, 4, 16, 13}, {18, 8, 9, 7, 0, 0, 0}};
    for (int tab = 0; tab < 3; ++tab) {
        main.MainTab().SetTab(tab);
        for (int other = 0; other < 3; ++other)
            EXPECT_EQ(IsWindowVisible(main.PicBox(other).hwnd()) != FALSE, other == tab) << tab << other;
        for (int n = 0; n < 7 && grid[tab][n] != 0; ++n) {
            button::TamrixButton& b = main.cmdChoice(grid[tab][n]);
            SCOPED_TRACE(grid[tab][n]);
            EXPECT_EQ(GetParent(b.hwnd()), main.PicBox(tab).hwnd());
            EXPECT_EQ(b.Left(), 210 + 2205 * (n % 3));
            EXPECT_EQ(b.Top(), 210 + 945 * (n / 3));
            EXPECT_EQ(b.Width() * 10000 + b.Height(), 2010 * 10000 + 750);
            EXPECT_TRUE(IsWindowVisible(b.hwnd()));
        }
    }
    EXPECT_EQ(main.MainTab().TabCaption(0), "Home && Office");
    EXPECT_EQ(main.MainTab().TabCaption(1), "Law Enforcement");
    EXPECT_EQ(main.MainTab().TabCaption(2), "Learning can be Fun!");
    // The web label keeps its right edge whatever the host name's length.
    main.lbl(2).SetCaption(" a-much-longer-host-name.tamrix-software.example ");
    EXPECT_EQ(main.lbl(2).Left() + main.lbl(2).Width(), 7350);
    EXPECT_EQ(main.lbl(1).Left(), 105);
    // Design values of the buttons reached the controls through their stored settings.
    EXPECT_EQ(main.cmdChoice(12).BackColor(), 0x0000FFFFu);
    EXPECT_EQ(main.cmdWelcome().ButtonType(), 11);
    EXPECT_TRUE(main.cmdQuit().IsCancel());
    EXPECT_TRUE(main.Diagnostics().empty());
}

TEST(MainPage, QuitButtonEscapeAndCloseBoxAskTheSameReminderAndNoEndsTheRun) {
    Started s;
    s.Start();
    pages::MainPage& main = s.main();
    s.system.messages.clear();
    s.system.answers = {IDYES, IDYES, IDYES};
    main.MainTab().SetTab(1);
    main.cmdQuit_Click();
    PostMessageA(main.cmdChoice(12).hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    testing_support::Pump(s.app);
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(s.system.messages.size(), 3u);
    for (const auto& message : s.system.messages) {
        EXPECT_EQ(message.text,
                  "Just a friendly reminder...\r\n\r\nKeep in mind that many of these programs\r\nwould make a GREAT "
                  "inexpensive gift!\r\n\r\nYou can order online and provide the\r\nname/address of the lucky "
                  "recipient\r\nin the ordering details!\r\n\r\nWould you like to do that now?");
        EXPECT_EQ(message.title, "Thanks for visiting Tamrix Software's Catalog!");
        EXPECT_EQ(message.style & (MB_ICONMASK | MB_TYPEMASK | MB_DEFMASK),
                  UINT(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1));
    }
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_EQ(main.MainTab().Tab(), 1);  // nothing changed

    // No: every page goes, the main page without a second reminder, and the run ends.
    s.system.answers = {IDNO};
    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(s.app.Run(), 0);
    EXPECT_EQ(s.system.messages.size(), 4u);
    EXPECT_TRUE(s.app.LoadedPages().empty());
}

TEST(MainPage, ContactLabelsOpenMailAndTheWebSite) {
    Started s;
    s.Start();
    // A real click on the mail label, and the web label's command.
    SendMessageA(s.main().lbl(1).hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(s.main().lbl(1).hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    s.main().lbl_Click(2);
    ASSERT_EQ(s.system.shellCalls.size(), 2u);
    EXPECT_EQ(s.system.shellCalls[0].file, "mailto:info@tamrix-software.example");
    EXPECT_EQ(s.system.shellCalls[1].file, "http://www.tamrix-software.example");
    EXPECT_EQ(s.system.shellCalls[0].owner, s.main().hwnd());
}
