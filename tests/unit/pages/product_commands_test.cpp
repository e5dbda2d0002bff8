// The product page's five commands: ordering, downloading after a question, the two printouts, return;
// each reached by its access key as well.
#include <gtest/gtest.h>

#include "app/catalog_table.h"
#include "common/maker.h"
#include "pages/advertise_page.h"
#include "platform/resources.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"
#include "support/test_page.h"

using testing_support::PumpUntil;

namespace {

struct ProductPage {
    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    platform::Application app;
    std::shared_ptr<pages::AdvertisePage> page;

    explicit ProductPage(const std::string& caption, int description = 0) {
        system.printer = &printer;
        app::ProductList& names = app::ProductNames();
        names.Clear();
        for (std::string_view name : app::kProductNameTable) names.Add(std::string(name));
        page = std::make_shared<pages::AdvertisePage>(app);
        page->Load();
        page->SetCaption(caption);
        if (description) page->txtProgramDescription().SetText(platform::LoadResString(description));
        page->cmdReturn().SetCaption("&Return\r\n(Esc)");
        page->Show();
        EXPECT_TRUE(PumpUntil(app, [&] { return page->InitDone(); }));
    }
    ~ProductPage() {
        if (page->IsLoaded()) page->UnloadWithoutAsking();
    }
    // A key with Alt, as the event loop delivers it.
    void AltKey(char letter) {
        MSG message{GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 0, 0, {}};
        app.Dispatch(message);
    }
    void Key(WPARAM key) {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        app.Dispatch(message);
    }
};

std::string PrintedText(const testing_support::RecordingPrinter& printer) {
    std::string text;
    for (int page = 1; page <= printer.page; ++page) text += printer.PageText(page);
    return text;
}

}  // namespace

TEST(ProductCommands, OrderHandsTheFullAddressToTheShellWithItsBackslash) {
    for (int index : {1, 12}) {
        ProductPage p(std::string(app::kProductNameTable[index - 1]));
        p.page->cmdRegisterNow_Click();
        ASSERT_EQ(p.system.shellCalls.size(), 1u);
        const std::string& link = p.system.shellCalls[0].file;
        EXPECT_EQ(link.substr(0, 55), "https://www.paypal.com/xclick\\business=sales%40tamrix-s");
        std::string ending = index == 1 ? "&cn=Make+any+comments+here&currency_code=USD"
                                        : "&cn=Enter+name+of+user+agency+here&currency_code=USD";
        EXPECT_EQ(link.substr(link.size() - ending.size()), ending);
        EXPECT_EQ(p.system.shellCalls[0].owner, p.page->hwnd());
        EXPECT_TRUE(p.system.messages.empty()) << "ordering asks nothing";
    }
}

TEST(ProductCommands, DownloadAsksAndOnlyYesOpensTheEvaluationAddress) {
    ProductPage p("Callwarden");
    p.system.answers = {IDNO, IDYES};
    p.page->cmdDownload_Click();
    EXPECT_TRUE(p.system.shellCalls.empty());
    EXPECT_TRUE(p.page->IsLoaded());
    p.page->cmdDownload_Click();
    ASSERT_EQ(p.system.messages.size(), 2u);
    EXPECT_EQ(p.system.messages[0].text,
              "This will download the latest\r\nfull-featured evaluation version\r\nof Callwarden.\r\n\r\n"
              "Do you wish to continue?");
    EXPECT_EQ(p.system.messages[0].title, "Download");
    EXPECT_EQ(p.system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK | MB_DEFMASK),
              static_cast<UINT>(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1));
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    EXPECT_EQ(p.system.shellCalls[0].file, "http://www.tamrix-software.example/evals/tamrix-cwdn.exe");
}

TEST(ProductCommands, TheOrderFormPrintsItsHeadingThenTheForm) {
    ProductPage p("Moonvolley");
    p.page->cmdPrintOrderForm_Click();
    std::string printed = PrintedText(p.printer);
    std::string form = platform::LoadResString(100);
    // Line ends come out as "\n" from the recording printer.
    std::string expected = "Order form for\nMoonvolley ($5)\n\n";
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '\r' && i + 1 < form.size() && form[i + 1] == '\n') {
            expected += '\n';
            ++i;
        } else {
            expected += form[i];
        }
    }
    EXPECT_EQ(printed.substr(0, expected.size()), expected);
    EXPECT_EQ(p.printer.fontName, "Arial");
    EXPECT_EQ(p.printer.endDocs, 1);
    EXPECT_TRUE(p.page->Enabled());
}

TEST(ProductCommands, TheOrderFormOfAPageWithoutAProductHasEmptyParentheses) {
    ProductPage p("Welcome!");
    p.page->cmdPrintOrderForm_Click();
    EXPECT_EQ(PrintedText(p.printer).substr(0, 27), "Order form for\nWelcome! ()\n");
}

TEST(ProductCommands, PrintThisPagePrintsWhatTheDescriptionBoxHoldsNow) {
    ProductPage p("Callwarden", 12);
    p.page->txtProgramDescription().SetText("Changed\r\n\r\nby the user");
    p.page->cmdPrintPage_Click();
    EXPECT_EQ(PrintedText(p.printer), "Changed\n\nby the user");
}

TEST(ProductCommands, WithoutAPrinterTheUserIsToldAndThePageStaysUsable) {
    ProductPage p("Callwarden", 12);
    p.system.printer = nullptr;
    p.page->cmdPrintPage_Click();
    ASSERT_EQ(p.system.messages.size(), 1u);
    EXPECT_EQ(p.system.messages[0].title, "Print");
    EXPECT_NE(p.system.messages[0].text.find("No printer is installed."), std::string::npos);
    EXPECT_EQ(p.system.messages[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
    EXPECT_TRUE(p.page->Enabled());
    EXPECT_EQ(p.page->MousePointer(), platform::kPointerDefault);
}
TEST(ProductCommands, AccessKeysEnterAndEscReachTheirCommands) {
    ProductPage p("Callwarden", 12);
    p.system.answers = {IDNO};
    p.AltKey('o');
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    p.AltKey('d');
    EXPECT_EQ(p.system.messages.size(), 1u);
    p.AltKey('F');
    EXPECT_EQ(p.printer.endDocs, 1);
    p.AltKey('p');
    EXPECT_EQ(p.printer.endDocs, 2);
    p.Key(VK_RETURN);
    EXPECT_FALSE(p.page->IsLoaded()) << "Enter is the return command";

    ProductPage q("Kinfile", 2);
    q.Key(VK_ESCAPE);
    EXPECT_FALSE(q.page->IsLoaded()) << "Esc is the return command";
    ProductPage r("Sumstar", 18);
    r.AltKey('r');
    EXPECT_FALSE(r.page->IsLoaded());
}
