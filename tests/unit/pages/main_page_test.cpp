// The main page from start-up: its layout, first activation, the welcome page, and the quit paths.
#include <gtest/gtest.h>

#include "app/catalog_table.h"
#include "app/program.h"
#include "common/maker.h"
#include "pages/main_page.h"
#include "platform/resources.h"
#include "platform/units.h"
#include "support/fake_system.h"
#include "support/script.h"
#include "support/test_page.h"

using testing_support::PumpUntil;

namespace {

// Presses a key on the page that holds the keyboard focus, the way the event loop delivers it.
void PressKey(HWND window, WPARAM key) { PostMessageA(window, WM_KEYDOWN, key, 0); }

struct Started {
    testing_support::FakeSystem system;
    platform::Application app;
    app::Program program{app};
    pages::MainPage& main() { return *program.MainPage(); }
};

// Starts the program and closes the welcome page with Esc once `whileWelcomeIsUp` has looked at it.
void StartAndCloseWelcome(Started& s, const std::function<void(pages::AdvertisePage&)>& whileWelcomeIsUp) {
    testing_support::Script script;
    script.Then(
        "the welcome page is up",
        [&] { return s.program.MainPage() && s.main().LoadedAdvertisePage() && s.main().LoadedAdvertisePage()->InitDone(); },
        [&] {
            pages::AdvertisePage& welcome = *s.main().LoadedAdvertisePage();
            whileWelcomeIsUp(welcome);
            PressKey(welcome.hwnd(), VK_ESCAPE);
        });
    s.program.Main();
    ASSERT_TRUE(PumpUntil(s.app, [&] { return script.Done() && !s.main().LoadedAdvertisePage(); }, 20000))
        << "waiting for: " << script.Pending();
}

}  // namespace

TEST(MainPage, FirstActivationCaptionsEverythingAndShowsTheWelcomePageOnce) {
    Started s;
    bool welcomeChecked = false;
    StartAndCloseWelcome(s, [&](pages::AdvertisePage& welcome) {
        welcomeChecked = true;
        EXPECT_EQ(welcome.Caption(), "Welcome!");
        EXPECT_FALSE(welcome.cmdRegisterNow().Visible());
        EXPECT_FALSE(welcome.cmdDownload().Visible());
        EXPECT_FALSE(welcome.cmdPrintOrderForm().Visible());
        EXPECT_FALSE(welcome.cmdPrintPage().Visible());
        EXPECT_TRUE(welcome.cmdReturn().Visible());
        EXPECT_EQ(welcome.cmdReturn().Caption(), "&Continue\r\n(Esc)");
        EXPECT_EQ(welcome.txtProgramDescription().Text(), platform::LoadResString(200));
        // The hidden commands were still captioned, and the links stay bare.
        EXPECT_EQ(welcome.cmdRegisterNow().Caption(), "Order\r\n&Online");
        EXPECT_EQ(welcome.strOrderLink(), std::string(common::OrderPrefix));
        EXPECT_EQ(welcome.strEvalLink(), std::string(common::DownloadFolder));
        EXPECT_EQ(welcome.strPrice(), "");
        EXPECT_EQ(GetFocus(), welcome.cmdReturn().hwnd());
        // While the welcome page is open the main page takes no input.
        EXPECT_FALSE(IsWindowEnabled(s.main().hwnd()));
    });
    ASSERT_TRUE(welcomeChecked);
    pages::MainPage& main = s.main();
    EXPECT_TRUE(main.InitDone());
    EXPECT_EQ(main.MainTab().Tab(), 0);
    EXPECT_EQ(main.cmdWelcome().Caption(), "Welcome!");
    EXPECT_EQ(main.cmdQuit().Caption(), "Goodbye!");
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
    EXPECT_EQ(main.LoadedAdvertisePage(), nullptr);
    main.UnloadWithoutAsking();
}

TEST(MainPage, LayoutPlacesEveryControlAndEachTabHoldsItsGrid) {
    Started s;
    StartAndCloseWelcome(s, [](pages::AdvertisePage&) {});
    pages::MainPage& main = s.main();
    EXPECT_NEAR(main.Width(), 7570, 15);
    EXPECT_NEAR(main.Height(), 5475, 15);

    const int grid[3][7] = {{11, 1, 15, 2, 3, 17, 10}, {12, 14, 5, 6, 4, 16, 13}, {18, 8, 9, 7, 0, 0, 0}};
    const int lefts[3] = {210, 2415, 4620};
    const int tops[3] = {210, 1155, 2100};
    for (int tab = 0; tab < 3; ++tab) {
        main.MainTab().SetTab(tab);
        EXPECT_TRUE(IsWindowVisible(main.PicBox(tab).hwnd()));
        for (int other = 0; other < 3; ++other) {
            if (other != tab) {
                EXPECT_FALSE(IsWindowVisible(main.PicBox(other).hwnd()));
            }
        }
        int onTab = 0;
        for (int n = 0; n < 7 && grid[tab][n] != 0; ++n, ++onTab) {
            button::TamrixButton& b = main.cmdChoice(grid[tab][n]);
            SCOPED_TRACE(grid[tab][n]);
            EXPECT_EQ(GetParent(b.hwnd()), main.PicBox(tab).hwnd());
            EXPECT_EQ(b.Left(), lefts[n % 3]);
            EXPECT_EQ(b.Top(), tops[n / 3]);
            EXPECT_EQ(b.Width(), 2010);
            EXPECT_EQ(b.Height(), 750);
            EXPECT_TRUE(IsWindowVisible(b.hwnd()));
            RECT r{};
            GetWindowRect(b.hwnd(), &r);
            EXPECT_EQ(r.right - r.left, platform::TwipsToPixelsX(2010));
        }
        EXPECT_EQ(onTab, tab == 2 ? 4 : 7);
    }
    EXPECT_EQ(main.MainTab().TabCaption(0), "Home && Office");
    EXPECT_EQ(main.MainTab().TabCaption(1), "Law Enforcement");
    EXPECT_EQ(main.MainTab().TabCaption(2), "Learning can be Fun!");
    // The web label keeps its right edge whatever the host name's length.
    EXPECT_EQ(main.lbl(2).Left() + main.lbl(2).Width(), 7350);
    main.lbl(2).SetCaption(" a-much-longer-host-name.tamrix-software.example ");
    EXPECT_EQ(main.lbl(2).Left() + main.lbl(2).Width(), 7350);
    EXPECT_EQ(main.lbl(1).Left(), 105);
    // Design values of the buttons reached the controls through their stored settings.
    EXPECT_EQ(main.cmdChoice(12).BackColor(), 0x0000FFFFu);
    EXPECT_EQ(main.cmdWelcome().ButtonType(), 11);
    EXPECT_TRUE(main.cmdQuit().IsCancel());
    EXPECT_TRUE(main.Diagnostics().empty());
    main.UnloadWithoutAsking();
}

TEST(MainPage, QuitButtonEscapeAndCloseBoxAskTheSameReminder) {
    Started s;
    StartAndCloseWelcome(s, [](pages::AdvertisePage&) {});
    pages::MainPage& main = s.main();
    const std::string text =
        "Just a friendly reminder...\r\n\r\nKeep in mind that many of these programs\r\nwould make a GREAT "
        "inexpensive gift!\r\n\r\nYou can order online and provide the\r\nname/address of the lucky recipient\r\n"
        "in the ordering details!\r\n\r\nWould you like to do that now?";
    s.system.messages.clear();
    s.system.answers = {IDYES, IDYES, IDYES};
    main.MainTab().SetTab(1);
    main.cmdQuit_Click();
    PressKey(main.cmdChoice(12).hwnd(), VK_ESCAPE);
    testing_support::Pump(s.app);
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(s.system.messages.size(), 3u);
    for (const auto& message : s.system.messages) {
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.title, "Thanks for visiting Tamrix Software's Catalog!");
        EXPECT_EQ(message.style & (MB_ICONMASK | MB_TYPEMASK | MB_DEFMASK),
                  static_cast<UINT>(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1));
    }
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_EQ(main.MainTab().Tab(), 1);  // nothing changed

    // No: every page goes, the main page without a second reminder, and the run ends.
    s.system.answers = {IDNO};
    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(s.app.Run(), 0);
    EXPECT_EQ(s.system.messages.size(), 4u);
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_TRUE(s.app.LoadedPages().empty());
}

TEST(MainPage, ContactLabelsOpenMailAndTheWebSite) {
    Started s;
    StartAndCloseWelcome(s, [](pages::AdvertisePage&) {});
    pages::MainPage& main = s.main();
    main.lbl_Click(1);
    main.lbl_Click(2);
    ASSERT_EQ(s.system.shellCalls.size(), 2u);
    EXPECT_EQ(s.system.shellCalls[0].file, "mailto:info@tamrix-software.example");
    EXPECT_EQ(s.system.shellCalls[1].file, "http://www.tamrix-software.example");
    EXPECT_EQ(s.system.shellCalls[0].owner, main.hwnd());
    // A real click on the label reaches the same command.
    RECT r{};
    GetClientRect(main.lbl(1).hwnd(), &r);
    SendMessageA(main.lbl(1).hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(main.lbl(1).hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(s.system.shellCalls.size(), 3u);
    EXPECT_EQ(s.system.shellCalls[2].file, "mailto:info@tamrix-software.example");
    main.UnloadWithoutAsking();
}
