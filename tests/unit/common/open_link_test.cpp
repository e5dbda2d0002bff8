// Opening links: the four forms of link, and the failure box for what the shell could not start.
#include "common/open_link.h"

#include <gtest/gtest.h>

#include "platform/win32/resources.h"
#include "support/fake_system.h"

TEST(OpenLink, ComposesTheLinkFromKindAndAddress) {
    testing_support::FakeSystem system;
    HWND owner = GetDesktopWindow();
    const std::tuple<int, const char*, const char*> cases[] = {{1, "", "mailto:info@tamrix-software.example"},
                                                               {2, "", "http://www.tamrix-software.example"},
                                                               {7, "", "http://www.tamrix-software.example"},
                                                               {1, "abc", "mailto:abc"},
                                                               {2, "abc", "abc"},
                                                               {2, "   ", "   "}};  // blanks are not empty
    for (auto [kind, address, link] : cases) {
        common::OpenLink(kind, owner, address);
        ASSERT_FALSE(system.shellCalls.empty());
        const auto& call = system.shellCalls.back();
        EXPECT_EQ(call.file, link) << kind << " '" << address << "'";
        EXPECT_EQ(call.owner, owner);
        EXPECT_EQ(call.directory, platform::ApplicationFolder());
        EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
    }
    EXPECT_TRUE(system.messages.empty());
}

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
