// Input the program never made itself, or made wrong: damaged layouts, odd links and colours. None of it may
// crash the program or lose the page; problems are told in words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/open_link.h"
#include "platform/layout/layout.h"
#include "platform/win32/units.h"
#include "support/button_page.h"
#include "support/fake_system.h"

using button::TamrixButton;

namespace {

// Loads, shows and paints a page of buttons, then unloads it; returns what the user was told.
std::vector<testing_support::ShownMessage> LoadShowAndPaint(const std::string& layout) {
    testing_support::FakeSystem system;
    platform::Application app;
    auto page = testing_support::MakeButtonPage(app, layout);
    page->Load();
    EXPECT_TRUE(page->IsLoaded());
    page->Show();
    for (const auto& control : page->Controls())
        if (auto* b = dynamic_cast<TamrixButton*>(control.get())) b->RenderButton(button::kStateDown, true);
    testing_support::Pump(app);
    page->UnloadWithoutAsking();
    return system.messages;
}

}  // namespace

TEST(MalformedInput, DamagedButtonSettingsAreToldOnceAndThePageStillWorks) {
    const std::string huge(1 << 20, 'W');
    const std::pair<std::string, const char*> cases[] = {
        {"BTYPE =", "key BTYPE"},           {"BCOL = &HZZ&", "key BCOL"},
        {"MPTR = \"arrow\"", "key MPTR"},   {"FONT = 12", "key FONT"},
        {"TX = \"no end", "key TX"},        {"BCOL = " + huge, "key BCOL"},
        {"WOBBLE = 3", "key WOBBLE"},       {"PICN = Picture(\"NO_SUCH\")", "key PICN"},
        {"TX = \"" + huge + "\"", nullptr}, {"BTYPE = 99999\nPICPOS = -7\nFX = 40000", nullptr},
    };
    for (const auto& [settings, told] : cases) {
        SCOPED_TRACE(settings.substr(0, 40));
        auto messages = LoadShowAndPaint(
            "Begin Page frmOdd\n    Begin Catalog.TamrixButton cmdOdd\n        Width = 2010\n"
            "        Height = 750\n" +
            settings + "\n    End\nEnd\n");
        if (!told) continue;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.find(told), std::string::npos) << messages[0].text.substr(0, 300);
    }
}

TEST(MalformedInput, SizesBeyondWhatCanBeDrawnAreToldAndTheDefaultsUsed) {
    // 480,000 twips are 32,000 pixels at 96 dots per inch; the largest size read is 49,152 twips.
    struct Case {
        std::string pageSize, buttonSize;
        const char* told;
        std::pair<long, long> page, button;  // pixels of the page's window and the button's
    };
    const Case cases[] = {
        {"", "Width = 480000\nHeight = 480000", "control cmdHuge, key Width", {400, 267}, {80, 25}},
        {"", "Width = 49152\nHeight = 49153", "control cmdHuge, key Height", {400, 267}, {3277, 25}},
        {"Width = 480000\nHeight = 2000", "", "frmHuge, key Width (line 2)", {400, 133}, {80, 25}},
    };
    auto size = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return std::pair{r.right - r.left, r.bottom - r.top};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pageSize + c.buttonSize);
        testing_support::FakeSystem system;
        platform::Application app;
        auto page = testing_support::MakeButtonPage(app, "Begin Page frmHuge\n" + c.pageSize +
                                                             "\nBegin Catalog.TamrixButton cmdHuge\n" +
                                                             c.buttonSize + "\nBTYPE = 14\nEnd\nEnd\n");
        page->Load();
        ASSERT_TRUE(page->IsLoaded());
        page->Show();
        auto& button = page->Get<TamrixButton>("cmdHuge");
        button.RenderButton(button::kStateDown, true);
        testing_support::Pump(app);
        ASSERT_EQ(system.messages.size(), 1u);
        EXPECT_NE(system.messages[0].text.find(c.told), std::string::npos) << system.messages[0].text;
        EXPECT_EQ(size(page->hwnd()), c.page);
        EXPECT_EQ(size(button.hwnd()), c.button);
        // The program's own code asks no more than can be drawn either; the background follows.
        page->SetSize(480000, 480000);
        button.Move(0, 0, 480000, 480000);
        button.RenderButton(button::kStateUp, true);
        testing_support::Pump(app);
        EXPECT_LE(size(page->hwnd()).first, platform::kLargestExtentPixels);
        EXPECT_LE(size(button.hwnd()).second, platform::kLargestExtentPixels);
        page->UnloadWithoutAsking();
    }
}

TEST(MalformedInput, OddAndOverlongLinksEndInTheErrorBox) {
    // The real shell, with a scheme nobody handles: at the longest address it is given and beyond it.
    struct RealShell : testing_support::FakeSystem {
        INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& dir, int show) override {
            return platform::SystemServices::ShellOpen(owner, file, dir, show);
        }
    } shell;
    const std::string scheme = "zz-no-such-scheme:";
    for (std::size_t length : {std::size_t{900}, std::size_t{901}, std::size_t{32 * 1024}}) {
        SCOPED_TRACE(length);
        shell.messages.clear();
        common::OpenLink(common::kLinkWeb, nullptr, scheme + std::string(length - scheme.size(), 'q'));
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].title, "Error");
    }
}

TEST(MalformedInput, ColoursWithStrayHighBitsTranslateToBlack) {
    for (std::uint32_t odd : {0x7F123456u, 0x40FFFFFFu, 0xFF000000u, 0x800000FFu})
        EXPECT_EQ(TamrixButton::ToRgbColor(odd), 0u) << odd;
}

// The inputs that fuzzing of the layout reader found interesting, read by the Windows build: each reads,
// writes back and reads again to the same text, and loads as a page of buttons.
TEST(MalformedInput, TheFuzzingCorpusReadsBackAndLoadsAsPages) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CATALOG_FUZZ_CORPUS)) {
        std::stringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        platform::ParsedLayout first = platform::ParseLayout(bytes.str());
        if (!first.root.className.empty()) {
            std::string written = platform::WriteLayout(first.root);
            platform::ParsedLayout second = platform::ParseLayout(written);
            EXPECT_TRUE(second.diagnostics.empty());
            EXPECT_EQ(platform::WriteLayout(second.root), written);
        }
        LoadShowAndPaint(bytes.str());
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(files, 100);
}
