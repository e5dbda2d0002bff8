// Product pages opened from the main page: title, description, addresses, price and commands from the
// right row.
#include "common/maker.h"
#include "pages_fixture.h"

TEST(ProductPage, EveryProductOpensWithItsOwnTitleTextPriceAddressesAndCommands) {
    Started s;
    s.Start();
    for (int index = 1; index <= 18; ++index) {
        SCOPED_TRACE(index);
        const catalog::CatalogEntry& row = catalog::CatalogTable()[static_cast<std::size_t>(index - 1)];
        s.OpenProduct(index, [&](pages::AdvertisePage& page) {
            EXPECT_EQ(page.Caption(), catalog::ProductNames().Item(index));
            EXPECT_EQ(page.txtProgramDescription().Text(), platform::LoadResString(index));
            EXPECT_EQ(page.strPrice(), row.priceText);
            EXPECT_EQ(page.strOrderLink(), catalog::OrderLinkFor(row));
            EXPECT_EQ(page.strEvalLink(), catalog::EvaluationLinkFor(row));
            // After the welcome page, all five commands show again, each with its caption.
            std::string captions;
            for (button::TamrixButton* b :
                 {&page.cmdRegisterNow(), &page.cmdDownload(), &page.cmdPrintOrderForm(),
                  &page.cmdPrintPage(), &page.cmdReturn()}) {
                EXPECT_TRUE(IsWindowVisible(b->hwnd())) << b->Name();
                captions += b->Caption() + "|";
            }
            EXPECT_EQ(captions,
                      "Order\r\n&Online|&Download\r\nNow|Print\r\nOrder &Form|Print\r\nthis "
                      "&Page|&Return\r\n(Esc)|");
            EXPECT_EQ(GetFocus(), page.cmdRegisterNow().hwnd());
            if (index != 12) return;
            // A second activation changes nothing.
            page.SetCaption("Coinstead");
            page.cmdDownload().SetCaption("x");
            SendMessageA(page.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
            testing_support::Pump(s.app);
            EXPECT_EQ(page.strPrice(), "$399");
            EXPECT_EQ(page.cmdDownload().Caption(), "x");
        });
    }
}

TEST(ProductPage, ACaptionThatNamesNoProductKeepsTheBareAddresses) {
    ProductPage p("callwarden");
    EXPECT_EQ(p.page->strPrice(), "");
    EXPECT_EQ(p.page->strOrderLink(), std::string(common::OrderPrefix));
    EXPECT_EQ(p.page->strEvalLink(), std::string(common::DownloadFolder));
    p.page->cmdRegisterNow_Click();
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    EXPECT_EQ(p.system.shellCalls[0].file, std::string(common::OrderPrefix));
    EXPECT_EQ(p.system.shellCalls[0].owner, p.page->hwnd());
}
