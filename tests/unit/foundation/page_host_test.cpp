// The page host: load before activate, modal pages, close requests, the end of the run.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/forms/application.h"
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
