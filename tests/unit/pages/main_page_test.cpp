// The main page from start-up: its first activation and the welcome page.
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

    // Later activations change nothing and bring no second welcome page.
    main.cmdChoice(12).SetCaption("changed");
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(main.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    testing_support::Pump(s.app);
    EXPECT_EQ(main.cmdChoice(12).Caption(), "changed");
    EXPECT_EQ(s.advertise(), nullptr);
}
