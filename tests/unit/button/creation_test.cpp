// A button made from stored settings exists as a child window of its page with its own class.
#include <gtest/gtest.h>

#include "support/button_page.h"

TEST(ButtonCreation, StoredSettingsMakeAChildWindowOfTheButtonClass) {
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 100, 30, "        BTYPE = 14\n        TX = \"&Return\"\n");
    HWND window = fixture.button->hwnd();
    ASSERT_NE(window, nullptr);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "Catalog.TamrixButton");
    EXPECT_EQ(GetParent(window), fixture.page->hwnd());
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 100);
    EXPECT_EQ(client.bottom, 30);
    EXPECT_EQ(fixture.button->Caption(), "&Return");
    EXPECT_EQ(button::TamrixButton::Version(), "w2005.08.15");
    fixture.page->UnloadWithoutAsking();
}
