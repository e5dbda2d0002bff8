// Opening links: the four forms of link, and the failure box for what the shell could not start.
#include "common/open_link.h"

#include <gtest/gtest.h>

#include "platform/win32/resources.h"
#include "support/fake_system.h"

TEST(OpenLink, ResultsOf32OrLessShowTheTwoLineErrorAndAbove32Nothing) {
    for (INT_PTR result : {0, 32, 33}) {
        SCOPED_TRACE(result);
        testing_support::FakeSystem system;
        system.shellResult = result;
        common::OpenLink(2, nullptr, "http://example.invalid/x");
        if (result <= 32) {
            ASSERT_EQ(system.messages.size(), 1u);
            EXPECT_EQ(system.messages[0].text, "Could not establish\r\nan internet connection!");
            EXPECT_EQ(system.messages[0].title, "Error");
            EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK),
                      static_cast<UINT>(MB_ICONHAND | MB_OK));
        } else {
            EXPECT_TRUE(system.messages.empty());
        }
    }
}
