// Every way a person leaves a page: each product afterwards starts from a fresh page, only No to the
// reminder ends the run, and only Yes to the download question downloads, for a page still there.
#include "pages_fixture.h"

namespace {

void CloseBox(HWND page) {
    PostMessageA(page, WM_CLOSE, 0, 0);  // the close box and Alt+F4
}
void SystemMenuClose(HWND page) {
    PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
}
void EndOfSession(HWND page) {
    PostMessageA(page, WM_QUERYENDSESSION, 0, 0);
}
void PressReturn(HWND page) {
    PostMessageA(page, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

TEST(Leaving, HoweverAPageWasClosedTheNextProductGetsAFreshPageInTheSamePlace) {
    Started s;
    s.Start({}, CloseBox);  // the welcome page's close box, the likeliest first click
    const std::pair<int, CloseWay> visits[] = {{12, CloseBox},   {14, SystemMenuClose}, {5, EndOfSession},
                                               {6, PressReturn}, {1, PressEsc},         {18, PressEsc}};
    std::optional<RECT> firstPlace;
    for (const auto& [index, close] : visits) {
        SCOPED_TRACE(index);
        const catalog::CatalogEntry& row = catalog::CatalogTable()[static_cast<std::size_t>(index - 1)];
        s.OpenProduct(
            index,
            [&, index = index](pages::AdvertisePage& page) {
                EXPECT_EQ(page.Caption(), catalog::ProductNames().Item(index));
                EXPECT_EQ(page.cmdRegisterNow().Caption() + "|" + page.cmdDownload().Caption() + "|" +
                              page.cmdPrintOrderForm().Caption() + "|" + page.cmdPrintPage().Caption(),
                          "Order\r\n&Online|&Download\r\nNow|Print\r\nOrder &Form|Print\r\nthis &Page");
                EXPECT_TRUE(IsWindowVisible(page.cmdRegisterNow().hwnd()));
                EXPECT_EQ(page.strPrice(), row.priceText);
                EXPECT_EQ(page.strOrderLink(), catalog::OrderLinkFor(row));
                EXPECT_EQ(page.strEvalLink(), catalog::EvaluationLinkFor(row));
                RECT place{};
                GetWindowRect(page.hwnd(), &place);
                if (!firstPlace) firstPlace = place;
                EXPECT_EQ(place.left, firstPlace->left);
                EXPECT_EQ(place.top, firstPlace->top);
            },
            close);
        EXPECT_TRUE(s.main().IsLoaded()) << "closing a product page leaves the main page";
    }
}

TEST(Leaving, OnlyNoToTheReminderEndsTheRun) {
    Started s;
    s.Start();
    // Under Wine Esc, Alt+F4 and the box's close box answer Cancel; a box that could not be shown
    // answers 0.
    for (int answer : {IDCANCEL, 0, IDYES, IDOK}) {
        s.system.answers = {answer};
        SendMessageA(s.main().hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(s.main().IsLoaded()) << answer;
    }
    s.system.answers = {IDNO};
    s.main().cmdQuit_Click();
    EXPECT_FALSE(s.main().IsLoaded());
    EXPECT_TRUE(s.app.Ended());
    EXPECT_EQ(s.system.messages.size(), 5u);
}

TEST(Leaving, OnlyYesDownloadsAndNothingStartsForAPageClosedUnderItsQuestion) {
    ProductPage p("Lockvault", 5);
    for (int answer : {IDNO, IDCANCEL, 0, IDYES}) {
        p.system.answers = {answer};
        p.page->cmdDownload_Click();
    }
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    EXPECT_EQ(p.system.shellCalls[0].file, p.page->strEvalLink());

    // The page is closed from outside while its question is open; the answer comes afterwards.
    p.system.duringMessage = [&](const testing_support::ShownMessage&) {
        SendMessageA(p.page->hwnd(), WM_CLOSE, 0, 0);
    };
    p.system.answers = {IDYES};
    p.page->cmdDownload_Click();
    EXPECT_FALSE(p.page->IsLoaded());
    EXPECT_EQ(p.system.shellCalls.size(), 1u) << "an address was opened for a page that is gone";
}
