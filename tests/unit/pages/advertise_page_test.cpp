// Product pages: each product opened with its button on its own tab shows its title, description and
// commands and holds its addresses and price as the typed-in list says, however the page before it was
// closed; each page opens centred over the main page and the focus goes back to the product's button. Then
// the commands of one page, and a page whose caption names no product.
#include "common/maker.h"
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

// The tab of each product's button, by product index.
constexpr int kTabOf[19] = {-1, 0, 0, 0, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 1, 0, 1, 0, 2};

std::string PrintedForm(const std::string& heading) {
    std::string form = heading + "\n\n" + platform::LoadResString(100);
    for (std::size_t at; (at = form.find('\r')) != std::string::npos;) form.erase(at, 1);
    return form;
}

}  // namespace

TEST(ProductPage, EveryProductShowsItsOwnTextsAddressesAndPriceHoweverThePageBeforeWasClosed) {
    Started s;
    s.Start({}, CloseBox);  // the welcome page's close box, the likeliest first click
    const CloseWay ways[] = {CloseBox, SystemMenuClose, EndOfSession, PressReturn, PressEsc};
    const auto products = ExpectedProducts();
    ASSERT_EQ(products.size(), 18u);
    for (const auto& product : products) {
        const int index = std::stoi(product[0]);
        SCOPED_TRACE(product[1]);
        s.main().MainTab().SetTab(kTabOf[index]);
        for (int i = 1; i <= 18; ++i)
            EXPECT_EQ(IsWindowVisible(s.main().cmdChoice(i).hwnd()) != FALSE, kTabOf[i] == kTabOf[index])
                << i;
        SetFocus(s.main().cmdChoice(index).hwnd());
        std::weak_ptr<platform::Page> shown;
        s.OpenProduct(
            index,
            [&](pages::AdvertisePage& page) {
                shown = page.shared_from_this();
                EXPECT_EQ(page.Caption(), product[1]);
                EXPECT_EQ(page.txtProgramDescription().Text(), platform::LoadResString(index));
                EXPECT_EQ(page.strOrderLink() + "|" + page.strEvalLink() + "|" + page.strPrice(),
                          product[2] + "|" + product[3] + "|" + product[4]);
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
                EXPECT_EQ(FrameAndPlace(page.hwnd(), s.main().hwnd()), "caption, system menu +0+0");
                if (index != 12) return;
                // 7635 by 5355 twips (509 by 357 pixels) below its title bar.
                RECT outer{};
                GetWindowRect(page.hwnd(), &outer);
                EXPECT_EQ(outer.right - outer.left, 509);
                EXPECT_NEAR(outer.bottom - outer.top - GetSystemMetrics(SM_CYCAPTION), 357, 1);
                ExpectTiledWith(page.hwnd(), page.imgBackground().Picture());
                // A second activation changes nothing.
                page.SetCaption("Coinstead");
                page.cmdDownload().SetCaption("x");
                SendMessageA(page.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
                testing_support::Pump(s.app);
                EXPECT_EQ(page.strPrice() + page.cmdDownload().Caption(), "$399x");
            },
            ways[index % 5]);
        EXPECT_TRUE(s.main().IsLoaded()) << "closing a product page leaves the main page";
        EXPECT_TRUE(testing_support::PumpUntil(s.app, [&] {
            return GetFocus() == s.main().cmdChoice(index).hwnd();
        })) << "the focus goes back to the product's button";
        // Once the run is back in its outermost loop, nothing holds the closed page any more.
        PostQuitMessage(0);
        s.app.Run();
        EXPECT_TRUE(shown.expired()) << "the closed product page is kept";
    }
}

TEST(ProductPage, CommandsOpenTheAddressesAskBeforeDownloadingAndPrintFormAndDescription) {
    ProductPage p("Moonvolley", 7);
    const auto moonvolley = ExpectedProducts().at(6);
    p.page->cmdRegisterNow().OnAccessKey();
    for (int answer : {IDNO, IDCANCEL, 0, IDYES}) {  // only Yes downloads
        p.system.answers = {answer};
        p.page->cmdDownload().OnAccessKey();
    }
    ASSERT_EQ(p.system.shellCalls.size(), 2u);
    EXPECT_EQ(p.system.shellCalls[0].file + "|" + p.system.shellCalls[1].file,
              moonvolley[2] + "|" + moonvolley[3]);
    EXPECT_TRUE(p.system.shellCalls[0].owner == p.page->hwnd() &&
                p.system.shellCalls[1].owner == p.page->hwnd());
    ASSERT_EQ(p.system.messages.size(), 4u);
    const testing_support::ShownMessage& question = p.system.messages[3];
    EXPECT_EQ(question.text,
              "This will download the latest\r\nfull-featured evaluation version\r\nof "
              "Moonvolley.\r\n\r\nDo you wish to continue?");
    EXPECT_EQ(question.title, "Download");
    EXPECT_EQ(question.style, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(question.owner, p.page->hwnd());

    p.page->cmdPrintOrderForm().OnAccessKey();
    EXPECT_EQ(p.Printed(), PrintedForm("Order form for\nMoonvolley ($5)"));
    p.printer = testing_support::RecordingPrinter();
    p.page->txtProgramDescription().SetText("\r\nChanged\r\n\r\nby the user");
    bool inputWhilePrinting = false;  // the page takes no input and shows the hourglass meanwhile
    p.printer.duringPrint = [&] {
        inputWhilePrinting |= IsWindowEnabled(p.page->hwnd()) || GetCursor() != LoadCursor(nullptr, IDC_WAIT);
    };
    p.page->cmdPrintPage().OnAccessKey();
    EXPECT_EQ(p.Printed(), "\nChanged\n\nby the user");
    EXPECT_EQ(p.printer.endDocs, 1);
    EXPECT_FALSE(inputWhilePrinting);
    EXPECT_TRUE(IsWindowEnabled(p.page->hwnd()));

    // Without a printer the page says why and stays usable.
    p.system.printer = nullptr;
    p.page->cmdPrintPage().OnAccessKey();
    ASSERT_EQ(p.system.messages.size(), 5u);
    EXPECT_NE(p.system.messages[4].text.find("No printer is installed."), std::string::npos);
    EXPECT_TRUE(p.page->Enabled() && p.page->MousePointer() == platform::kPointerDefault);

    // Closed from outside while its question is open, the page downloads nothing afterwards.
    p.system.duringMessage = [&](const testing_support::ShownMessage&) {
        SendMessageA(p.page->hwnd(), WM_CLOSE, 0, 0);
    };
    p.system.answers = {IDYES};
    p.page->cmdDownload_Click();
    EXPECT_FALSE(p.page->IsLoaded());
    EXPECT_EQ(p.system.shellCalls.size(), 2u) << "an address was opened for a page that is gone";
}

TEST(ProductPage, ACaptionThatNamesNoProductKeepsTheBareAddressesAndNoPrice) {
    ProductPage p("callwarden");
    EXPECT_EQ(p.page->strPrice(), "");
    EXPECT_EQ(p.page->strOrderLink(), std::string(common::OrderPrefix));
    EXPECT_EQ(p.page->strEvalLink(), std::string(common::DownloadFolder));
    p.page->cmdRegisterNow_Click();
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    EXPECT_EQ(p.system.shellCalls[0].file, std::string(common::OrderPrefix));
    p.page->cmdPrintOrderForm_Click();
    EXPECT_EQ(p.Printed(), PrintedForm("Order form for\ncallwarden ()"));
}
