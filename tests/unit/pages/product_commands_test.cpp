// Printing the product page: what the description box holds at that moment, or the reason it cannot.
// (Ordering, downloading, the order form and the access keys are driven from outside by the journeys.)
#include "pages_fixture.h"

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
