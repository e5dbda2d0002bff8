// The main page's title: the maker's name and the version, each part as a number without leading
// zeros, and a part that is zero left out, between the decimal separators of the user's locale.
#include "pages/version_title.h"

#include <gtest/gtest.h>

TEST(MainPageTitle, AZeroPartIsLeftOutAndEveryOtherWrittenWhole) {
    EXPECT_EQ(pages::MainPageTitle("Tamrix Software", 2026, 1, 0, ","),
              "Tamrix Software Catalog {rev 2026,1,}");
    EXPECT_EQ(pages::MainPageTitle("Tamrix Software", 0, 10, 7, "."), "Tamrix Software Catalog {rev .10.7}");
}
