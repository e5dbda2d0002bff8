// Product pages opened from the main page: title, description, addresses and price from the right row.
#include <gtest/gtest.h>

#include "app/catalog_table.h"
#include "app/program.h"
#include "common/maker.h"
#include "pages/main_page.h"
#include "platform/resources.h"
#include "support/fake_system.h"
#include "support/script.h"
#include "support/test_page.h"

using testing_support::PumpUntil;

namespace {

struct Started {
    testing_support::FakeSystem system;
    platform::Application app;
    app::Program program{app};
    pages::MainPage& main() { return *program.MainPage(); }
};

void Start(Started& s) {
    testing_support::Script script;
    script.Then("welcome", [&] { return s.program.MainPage() && s.main().LoadedAdvertisePage(); },
                [&] { PostMessageA(s.main().LoadedAdvertisePage()->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); });
    s.program.Main();
    ASSERT_TRUE(PumpUntil(s.app, [&] { return script.Done() && s.main().InitDone() && !s.main().LoadedAdvertisePage(); }));
}

// Opens product `index` from its button's command and runs `look` while the page is up, then returns.
void OpenProduct(Started& s, int index, const std::function<void(pages::AdvertisePage&)>& look) {
    testing_support::Script script;
    script.Then(
        "product page " + std::to_string(index),
        [&] { return s.main().LoadedAdvertisePage() && s.main().LoadedAdvertisePage()->InitDone(); },
        [&] {
            pages::AdvertisePage& page = *s.main().LoadedAdvertisePage();
            look(page);
            PostMessageA(page.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
    s.main().cmdChoice_Click(static_cast<std::int16_t>(index));
    EXPECT_TRUE(script.Done()) << "the page closed before it was looked at";
    EXPECT_EQ(s.main().LoadedAdvertisePage(), nullptr);
}

}  // namespace

TEST(ProductPage, EveryProductOpensWithItsOwnTitleTextPriceAndAddresses) {
    Started s;
    Start(s);
    for (int index = 1; index <= 18; ++index) {
        SCOPED_TRACE(index);
        const app::CatalogEntry& row = app::CatalogTable()[static_cast<std::size_t>(index - 1)];
        OpenProduct(s, index, [&](pages::AdvertisePage& page) {
            EXPECT_EQ(page.Caption(), app::ProductNames().Item(index));
            EXPECT_EQ(page.txtProgramDescription().Text(), platform::LoadResString(index));
            EXPECT_EQ(page.strPrice(), row.priceText);
            EXPECT_EQ(page.strOrderLink(), app::OrderLinkFor(row));
            EXPECT_EQ(page.strEvalLink(), std::string(common::DownloadFolder) + std::string(row.evaluationFile));
            EXPECT_EQ(page.cmdReturn().Caption(), "&Return\r\n(Esc)");
            for (button::TamrixButton* b : {&page.cmdRegisterNow(), &page.cmdDownload(), &page.cmdPrintOrderForm(),
                                            &page.cmdPrintPage(), &page.cmdReturn()})
                EXPECT_TRUE(IsWindowVisible(b->hwnd())) << b->Name();
            EXPECT_EQ(GetFocus(), page.cmdRegisterNow().hwnd());
        });
    }
    s.main().UnloadWithoutAsking();
}

TEST(ProductPage, Row12OrderAddressInFullAndASecondActivationChangesNothing) {
    Started s;
    Start(s);
    OpenProduct(s, 12, [&](pages::AdvertisePage& page) {
        EXPECT_EQ(page.strOrderLink(),
                  "https://www.paypal.com/xclick\\business=sales%40tamrix-software.example&item_name=Callwarden+-+"
                  "Police+Radio+Dispatching&item_number=tamrix-cat-cwdn&amount=399.00&page_style=Primary"
                  "&no_shipping=2&cn=Enter+name+of+user+agency+here&currency_code=USD");
        EXPECT_EQ(page.strEvalLink(), "http://www.tamrix-software.example/evals/tamrix-cwdn.exe");
        EXPECT_EQ(page.strPrice(), "$399");
        EXPECT_EQ(page.cmdDownload().Caption(), "&Download\r\nNow");
        EXPECT_EQ(page.cmdPrintOrderForm().Caption(), "Print\r\nOrder &Form");
        EXPECT_EQ(page.cmdPrintPage().Caption(), "Print\r\nthis &Page");
        page.SetCaption("Coinstead");
        page.cmdDownload().SetCaption("x");
        SendMessageA(page.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        testing_support::Pump(s.app);
        EXPECT_EQ(page.strPrice(), "$399");
        EXPECT_EQ(page.cmdDownload().Caption(), "x");
    });
    s.main().UnloadWithoutAsking();
}

TEST(ProductPage, AProductAfterTheWelcomePageShowsAllFiveCommands) {
    Started s;
    Start(s);
    testing_support::Script script;
    script.Then("welcome again", [&] { return s.main().LoadedAdvertisePage() != nullptr; },
                [&] { PostMessageA(s.main().LoadedAdvertisePage()->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); });
    s.main().cmdWelcome_Click();
    ASSERT_TRUE(script.Done());
    OpenProduct(s, 3, [&](pages::AdvertisePage& page) {
        EXPECT_TRUE(page.cmdRegisterNow().Visible());
        EXPECT_TRUE(page.cmdPrintPage().Visible());
        EXPECT_EQ(page.Caption(), "Shelvana");
    });
    s.main().UnloadWithoutAsking();
}

TEST(ProductPage, ACaptionThatNamesNoProductKeepsTheBareAddresses) {
    testing_support::FakeSystem system;
    platform::Application app;
    app::ProductList& names = app::ProductNames();
    names.Clear();
    for (std::string_view name : app::kProductNameTable) names.Add(std::string(name));
    auto page = std::make_shared<pages::AdvertisePage>(app);
    page->Load();
    page->SetCaption("callwarden");
    page->Show();
    ASSERT_TRUE(PumpUntil(app, [&] { return page->InitDone(); }));
    EXPECT_EQ(page->strPrice(), "");
    EXPECT_EQ(page->strOrderLink(), std::string(common::OrderPrefix));
    EXPECT_EQ(page->strEvalLink(), std::string(common::DownloadFolder));
    page->cmdRegisterNow_Click();
    ASSERT_EQ(system.shellCalls.size(), 1u);
    EXPECT_EQ(system.shellCalls[0].file, std::string(common::OrderPrefix));
    EXPECT_EQ(system.shellCalls[0].owner, page->hwnd());
    page->UnloadWithoutAsking();
}
