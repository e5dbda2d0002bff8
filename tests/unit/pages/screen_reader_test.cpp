// What a screen reader finds on both pages, asked the way a reader asks (AccessibleObjectFromWindow on
// each control's window): names, roles, states, keyboard shortcuts, default actions, and what the
// actions do.
#include <oleacc.h>

#include <fstream>
#include <sstream>

#include "common/maker.h"
#include "pages_fixture.h"
#include "support/screen_reader.h"

namespace {

using testing_support::Hear;
using testing_support::Heard;

// The states a reader acts on, in words.
std::string StateWords(long state) {
    static const std::pair<long, const char*> kWords[] = {
        {STATE_SYSTEM_FOCUSED, "focused"},         {STATE_SYSTEM_INVISIBLE, "invisible"},
        {STATE_SYSTEM_UNAVAILABLE, "unavailable"}, {STATE_SYSTEM_CHECKED, "checked"},
        {STATE_SYSTEM_DEFAULT, "default"},         {STATE_SYSTEM_SELECTED, "selected"},
        {STATE_SYSTEM_LINKED, "linked"},           {STATE_SYSTEM_READONLY, "read-only"},
    };
    std::string words;
    for (const auto& [flag, word] : kWords)
        if (state & flag) words += std::string(" ") + word;
    return words;
}

// One line per control (and per part of a control): "name: role 'spoken name' shortcut action states".
std::string Line(const std::string& who, const Heard& heard) {
    std::string line = who + ": " + heard.role + " '" + heard.name + "'";
    if (!heard.shortcut.empty()) line += " " + heard.shortcut;
    if (!heard.action.empty()) line += " [" + heard.action + "]";
    return line + StateWords(heard.state);
}

// Every control of the page that has a window, in layout order, with the parts a reader visits.
std::string Walk(const platform::Page& page) {
    std::ostringstream lines;
    for (const auto& control : page.Controls()) {
        if (!control->hwnd()) continue;
        Heard heard = Hear(control->hwnd());
        EXPECT_TRUE(heard.found) << control->DisplayName();
        lines << Line(control->DisplayName(), heard) << "\n";
        for (int part = 1; part <= control->AccessiblePartCount(); ++part)
            lines << Line(control->DisplayName() + " child " + std::to_string(part),
                          Hear(control->hwnd(), part))
                  << "\n";
    }
    return lines.str();
}

// The lines of screen_reader_heard.txt under "# title".
std::string Expected(const std::string& title) {
    std::ifstream in(CATALOG_TESTS_DIR "/unit/pages/screen_reader_heard.txt");
    std::string lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# ", 0) == 0) inside = line == "# " + title;
        else if (inside && !line.empty()) lines += line + "\n";
    }
    return lines;
}

// Waits for the posted action of a reader's request.
void Settle(Started& s) {
    testing_support::Pump(s.app);
    testing_support::PumpUntil(
        s.app, [] { return false; }, 100);
}

TEST(ScreenReader, HearsEveryControlOfTheMainPageAndFollowsItsTabsAndLinks) {
    Started s;
    s.Start();
    pages::MainPage& main = s.main();
    EXPECT_EQ(Walk(main), Expected("the main page as it opens"));

    // A reader's "Switch" on the third tab shows it; its buttons become visible to the reader.
    EXPECT_EQ(testing_support::DoDefaultAction(main.MainTab().hwnd(), 3), S_OK);
    Settle(s);
    EXPECT_EQ(main.MainTab().Tab(), 2);
    EXPECT_EQ(StateWords(Hear(main.MainTab().hwnd(), 3).state), " selected");
    EXPECT_EQ(StateWords(Hear(main.cmdChoice(18).hwnd()).state), "");

    // A reader's "Jump" on a link hands its address to the shell.
    EXPECT_EQ(testing_support::DoDefaultAction(main.lbl(2).hwnd()), S_OK);
    Settle(s);
    ASSERT_EQ(s.system.shellCalls.size(), 1u);
    EXPECT_EQ(s.system.shellCalls[0].file, "http://" + std::string(common::MakerWeb));
}

TEST(ScreenReader, HearsTheProductPageAndItsPressHandsTheOrderAddressToTheShell) {
    Started s;
    s.Start();
    const catalog::CatalogEntry& row = catalog::CatalogTable()[11];
    s.OpenProduct(12, [&](pages::AdvertisePage& page) {
        EXPECT_EQ(Walk(page), Expected("the product page of Callwarden"));
        EXPECT_EQ(Hear(page.txtProgramDescription().hwnd()).value, platform::LoadResString(12));

        // The page under the product page takes no press: it is disabled while this one is up.
        EXPECT_EQ(testing_support::DoDefaultAction(s.main().cmdChoice(1).hwnd()), E_FAIL);
        EXPECT_EQ(testing_support::DoDefaultAction(page.cmdRegisterNow().hwnd()), S_OK);
        EXPECT_TRUE(s.system.shellCalls.empty()) << "the press runs after the reader's call returns";
        testing_support::Pump(s.app);
        ASSERT_EQ(s.system.shellCalls.size(), 1u);
        EXPECT_EQ(s.system.shellCalls[0].file, catalog::OrderLinkFor(row));
        EXPECT_EQ(s.system.shellCalls[0].owner, page.hwnd());
    });
}

}  // namespace
