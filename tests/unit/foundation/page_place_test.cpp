// A page whose layout names no place opens centred on the screen's work area.
#include <gtest/gtest.h>

#include "support/test_page.h"

TEST(PageHost, APageWhoseLayoutNamesNoPlaceOpensCentredOnTheScreen) {
    platform::Application app;
    auto page =
        std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmAnywhere"));
    page->Show();
    RECT window{}, area{};
    GetWindowRect(page->hwnd(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR(window.left + window.right, area.left + area.right, 2);
    EXPECT_NEAR(window.top + window.bottom, area.top + area.bottom, 2);
}
