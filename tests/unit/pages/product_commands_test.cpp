// The product page's five commands: ordering, downloading after a question, the two printouts, return;
// each reached by its access key as well.
#include "pages_fixture.h"

TEST(ProductCommands, OrderHandsTheFullAddressToTheShellAndDownloadAsksFirst) {
    ProductPage p("Callwarden");
    p.page->cmdRegisterNow_Click();
    ASSERT_EQ(p.system.shellCalls.size(), 1u);
    EXPECT_EQ(p.system.shellCalls[0].file, app::OrderLinkFor(app::CatalogTable()[11]));
    EXPECT_EQ(p.system.shellCalls[0].owner, p.page->hwnd());
    EXPECT_TRUE(p.system.messages.empty()) << "ordering asks nothing";

    p.system.answers = {IDNO, IDYES};
    p.page->cmdDownload_Click();
    EXPECT_EQ(p.system.shellCalls.size(), 1u);
    p.page->cmdDownload_Click();
    ASSERT_EQ(p.system.messages.size(), 2u);
    EXPECT_EQ(p.system.messages[0].text,
              "This will download the latest\r\nfull-featured evaluation version\r\nof Callwarden.\r\n\r\n"
              "Do you wish to continue?");
    EXPECT_EQ(p.system.messages[0].title, "Download");
    EXPECT_EQ(p.system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK | MB_DEFMASK),
              UINT(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1));
    ASSERT_EQ(p.system.shellCalls.size(), 2u);
    EXPECT_EQ(p.system.shellCalls[1].file, "http://www.tamrix-software.example/evals/tamrix-cwdn.exe");
}

TEST(ProductCommands, TheOrderFormPrintsItsHeadingThenTheForm) {
    for (auto [caption, heading] : {std::pair{"Moonvolley", "Moonvolley ($5)"}, {"Welcome!", "Welcome! ()"}}) {
        ProductPage p(caption);
        p.page->cmdPrintOrderForm_Click();
        // The form's CR LF pairs come out as line ends, "\n" in the record.
        std::string expected = "Order form for\n" + std::string(heading) + "\n\n";
        for (char c : platform::LoadResString(100))
            if (c != '\r') expected += c;
        EXPECT_EQ(p.Printed(), expected);
        EXPECT_EQ(p.printer.endDocs, 1);
        EXPECT_TRUE(p.page->Enabled());
    }
}

TEST(ProductCommands, PrintThisPagePrintsWhatTheDescriptionBoxHoldsNowOrSaysWhyNot) {
    ProductPage p("Callwarden", 12);
    p.page->txtProgramDescription().SetText("Changed\r\n\r\nby the user");
    p.page->cmdPrintPage_Click();
    EXPECT_EQ(p.Printed(), "Changed\n\nby the user");

    p.system.printer = nullptr;
    p.page->cmdPrintPage_Click();
    ASSERT_EQ(p.system.messages.size(), 1u);
    EXPECT_NE(p.system.messages[0].text.find("No printer is installed."), std::string::npos);
    EXPECT_TRUE(p.page->Enabled());
    EXPECT_EQ(p.page->MousePointer(), platform::kPointerDefault);
}

TEST(ProductCommands, AccessKeysEnterAndEscReachTheirCommands) {
    ProductPage p("Callwarden", 12);
    p.system.answers = {IDNO};
    p.Key(WM_SYSCHAR, 'o');
    EXPECT_EQ(p.system.shellCalls.size(), 1u);
    p.Key(WM_SYSCHAR, 'd');
    EXPECT_EQ(p.system.messages.size(), 1u);
    p.Key(WM_SYSCHAR, 'F');
    p.Key(WM_SYSCHAR, 'p');
    EXPECT_EQ(p.printer.endDocs, 2);
    p.Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(p.page->IsLoaded()) << "Enter is the return command";

    for (auto [key, message] : {std::pair{WPARAM(VK_ESCAPE), UINT(WM_KEYDOWN)}, {WPARAM('r'), UINT(WM_SYSCHAR)}}) {
        ProductPage q("Kinfile", 2);
        q.Key(message, key);
        EXPECT_FALSE(q.page->IsLoaded()) << key;
    }
}
