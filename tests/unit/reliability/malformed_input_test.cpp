// Input the program never made itself, or made wrong: damaged layouts and pictures, texts too long or
// oddly built, odd links and colours. None of it may crash the program or lose the page; problems are
// told to the user in words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/open_link.h"
#include "common/print_text.h"
#include "platform/layout.h"
#include "platform/picture.h"
#include "platform/resources.h"
#include "support/button_page.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

using button::TamrixButton;

namespace {

std::string Button(const std::string& name, const std::string& settings) {
    return "    Begin Catalog.TamrixButton " + name + "\n        Left = 120\n        Top = 120\n"
           "        Width = 2010\n        Height = 750\n" + settings + "    End\n";
}

std::string PageWith(const std::string& controls) {
    return "Begin Page frmOdd\n    Width = 6000\n    Height = 4500\n" + controls + "End\n";
}

// Loads and shows a page of buttons, paints every button in every look, and unloads it. Returns the
// message boxes the user saw.
std::vector<testing_support::ShownMessage> LoadShowAndPaint(const std::string& layout) {
    testing_support::FakeSystem system;
    platform::Application app;
    auto page = testing_support::MakeButtonPage(app, layout);
    page->Load();
    EXPECT_TRUE(page->IsLoaded());
    page->Show();
    for (const auto& control : page->Controls()) {
        auto* b = dynamic_cast<TamrixButton*>(control.get());
        if (!b) continue;
        for (std::uint8_t state : {button::kStateUp, button::kStateDown}) b->RenderButton(state, true);
        b->SetEnabled(false);
        b->RenderButton(button::kStateUp, true);
    }
    testing_support::Pump(app);
    page->UnloadWithoutAsking();
    return system.messages;
}

class IdleOwner : public common::PrintOwner {
public:
    HWND Handle() const override { return nullptr; }
    void SetEnabled(bool on) override { enabled = on; }
    void SetMousePointer(int pointer) override { this->pointer = pointer; }
    bool enabled = true;
    int pointer = 0;
};

}  // namespace

TEST(MalformedInput, DamagedButtonSettingsAreToldOnceAndTheButtonsStillWork) {
    const std::string huge(1 << 20, 'W');
    struct Case {
        const char* what;
        std::string settings;
        const char* told;  // a part of the message that must name the key, or "" when nothing is wrong
    } cases[] = {
        {"missing value", "        BTYPE =\n", "key BTYPE"},
        {"garbled number", "        BTYPE = 1x4\n", "key BTYPE"},
        {"garbled colour", "        BCOL = &HZZ&\n", "key BCOL"},
        {"text for a number", "        MPTR = \"arrow\"\n", "key MPTR"},
        {"number for a font", "        FONT = 12\n", "key FONT"},
        {"truth for a picture", "        PICN = True\n", "key PICN"},
        {"unterminated text", "        TX = \"no end\n", "key TX"},
        {"huge caption", "        TX = \"" + huge + "\"\n", ""},
        {"huge garbage", "        BCOL = " + huge + "\n", "key BCOL"},
        {"unknown key", "        WOBBLE = 3\n", "key WOBBLE"},
        {"picture that does not exist", "        PICN = Picture(\"NO_SUCH_PICTURE\")\n", "key PICN"},
        {"out-of-range numbers", "        BTYPE = 99999\n        PICPOS = -7\n        FX = 40000\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto messages = LoadShowAndPaint(PageWith(Button("cmdOdd", c.settings) + Button("cmdFine", "")));
        if (*c.told) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_NE(messages[0].text.find(c.told), std::string::npos) << messages[0].text.substr(0, 300);
            EXPECT_NE(messages[0].text.find("control cmdOdd"), std::string::npos);
        }
    }
}

TEST(MalformedInput, BrokenPageStructureStillLoadsAPage) {
    const char* layouts[] = {
        "",
        "End\nEnd\n",
        "Begin Page frmOdd\n    Begin Catalog.TamrixButton cmdA\n",  // no End at all
        "Begin Page frmOdd\n    Begin\n    End\n    Width = -99999999\n    Height = 99999999999\nEnd\n",
        "Begin Page frmOdd\n    Begin Catalog.TamrixButton cmdA\n    End\n    Begin Catalog.TamrixButton cmdA\n"
        "    End\nEnd\n",  // one name twice
        "\xEF\xBB\xBF\xFF\xFE\x00\x01 Begin Page \x80\x81\r\r\n\n End",
    };
    for (const char* layout : layouts) {
        SCOPED_TRACE(layout);
        LoadShowAndPaint(layout);
    }
}

TEST(MalformedInput, DamagedPicturesAreAnErrorOrAPictureNeverACrash) {
    for (const char* name : {"JPG_GLASS", "ICON_SUMSTAR", "CURSOR_ARROW"}) {
        std::string good(platform::ResourceData(name));
        ASSERT_GT(good.size(), 100u) << name;
        std::vector<std::string> damaged;
        for (std::size_t cut : {std::size_t{1}, std::size_t{6}, std::size_t{22}, good.size() / 3, good.size() - 1})
            damaged.push_back(good.substr(0, cut));
        for (std::size_t at = 2; at < good.size(); at += good.size() / 9) {
            std::string flipped = good;
            for (std::size_t i = at; i < std::min(good.size(), at + 16); ++i) flipped[i] = static_cast<char>(~flipped[i]);
            damaged.push_back(flipped);
        }
        HDC screen = GetDC(nullptr);
        for (const std::string& bytes : damaged) {
            try {
                platform::Picture picture = platform::Picture::FromBytes(bytes, "damaged");
                EXPECT_GE(picture.WidthPixels(), 0);
                picture.Draw(screen, 0, 0);
            } catch (const platform::PictureError& error) {
                EXPECT_STRNE(error.what(), "");
            }
        }
        ReleaseDC(nullptr, screen);
    }
}

TEST(MalformedInput, OddPrintTextsPrintEveryCharacterAndEndTheJob) {
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"one megabyte", std::string(1 << 20, 'a')},
        {"no blanks", std::string(5000, 'x')},
        {"lone CR and LF", "one\rtwo\nthree\n\rfour\r"},
        {"bytes of 0x80 and above", "Caf\xE9 \x80\x9F\xFF\xA0 na\xEFve"},
        {"only line ends", std::string(400, '\r') + std::string(400, '\n')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::FakeSystem system;
        testing_support::RecordingPrinter printer;
        system.printer = &printer;
        IdleOwner owner;
        common::PrintText(owner, c.text, "Header", true, true);
        EXPECT_EQ(printer.endDocs, 1);
        EXPECT_EQ(printer.killDocs, 0);
        EXPECT_TRUE(system.messages.empty());
        EXPECT_TRUE(owner.enabled);
        // What came out, without the headers, page numbers and line ends, is the text without its CR LF
        // pairs and lone LFs (the recording printer writes a line end as an LF too).
        std::string printed;
        for (const auto& piece : printer.pieces)
            if (piece.text != "\n" && piece.text != "Header" && piece.text.rfind("(page ", 0) != 0) printed += piece.text;
        std::string expected;
        for (std::size_t i = 0; i < c.text.size(); ++i) {
            if (c.text[i] == '\r' && i + 1 < c.text.size() && c.text[i + 1] == '\n') ++i;
            else if (c.text[i] != '\n') expected += c.text[i];
        }
        EXPECT_EQ(printed.size(), expected.size());
        EXPECT_TRUE(printed == expected);
        for (const auto& piece : printer.pieces) {
            ASSERT_LE(piece.y, 9.2 + 1e-9) << "nothing below the page number line";
            ASSERT_LE(piece.x, 8.0 + printer.charWidth + 1e-9);
        }
    }
}

TEST(MalformedInput, A64KilobyteCaptionMeasuresPaintsAndKeepsItsAccessKey) {
    std::string caption = "&Z";
    while (caption.size() < 64 * 1024) caption += "wordy words ";
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 134, 50, "BTYPE = 14\nPICN = Picture(\"ICON_ORDER\")\n");
    TamrixButton& b = *fixture.button;
    for (int position : {0, 3}) {  // beside and below the picture
        b.SetPicturePosition(position);
        b.SetCaption(caption);
        b.RenderButton(button::kStateUp, true);
        b.RenderButton(button::kStateDown, true);
    }
    EXPECT_EQ(b.Caption().size(), caption.size());
    EXPECT_EQ(b.AccessKeys(), "z");
    fixture.page->UnloadWithoutAsking();
}

TEST(MalformedInput, OddLinksReachTheShellWholeOrAreRefusedInWords) {
    const std::string longLink = "http://www.example.invalid/" + std::string(32 * 1024, 'q');
    const std::string links[] = {"", "   ", longLink, "javascript:alert(1)", "file:///C:/nothing/here",
                                 "zz-no-such-scheme:thing", "mailto:", "\x80\xFF://\x01"};
    for (const std::string& link : links) {
        SCOPED_TRACE(link.substr(0, 40));
        testing_support::FakeSystem system;
        system.shellResult = 31;  // nothing can open it
        common::OpenLink(common::kLinkWeb, nullptr, link);
        ASSERT_EQ(system.shellCalls.size(), 1u);
        EXPECT_EQ(system.shellCalls[0].file, common::ComposeLink(common::kLinkWeb, link));
        ASSERT_EQ(system.messages.size(), 1u);
        EXPECT_EQ(system.messages[0].title, "Error");
    }
    // The real shell, with a scheme nobody handles, at the longest address it is given and far beyond:
    // an error, in words.
    struct RealShell : testing_support::FakeSystem {
        INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& dir, int show) override {
            return platform::SystemServices::ShellOpen(owner, file, dir, show);
        }
    } shell;
    const std::string scheme = "zz-no-such-scheme:";
    for (std::size_t length : {std::size_t{900}, std::size_t{901}, std::size_t{2083}, std::size_t{32 * 1024}}) {
        SCOPED_TRACE(length);
        shell.messages.clear();
        common::OpenLink(common::kLinkWeb, nullptr, scheme + std::string(length - scheme.size(), 'q'));
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].title, "Error");
    }
}

TEST(MalformedInput, ColoursWithStrayHighBitsTranslateToBlackAndPaint) {
    EXPECT_EQ(TamrixButton::ToRgbColor(0x8000000F), GetSysColor(COLOR_BTNFACE)) << "a proper system colour";
    platform::Application app;
    auto fixture = testing_support::MakeButton(app, 60, 24, "BTYPE = 14\nCOLTYPE = 2\nTX = \"Odd\"\n");
    TamrixButton& b = *fixture.button;
    for (std::uint32_t odd : {0x7F123456u, 0x40FFFFFFu, 0xFF000000u, 0x800000FFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(odd);
        EXPECT_EQ(TamrixButton::ToRgbColor(odd), 0u);
        b.SetBackColor(odd);
        b.SetForeColor(odd);
        b.SetMaskColor(odd);
        b.SetBackOver(odd);
        b.RenderButton(button::kStateUp, true);
        EXPECT_EQ(b.BackColor(), odd) << "the value is kept as it was given";
    }
    fixture.page->UnloadWithoutAsking();
}

// The inputs that fuzzing of the layout reader found interesting, read here by the Windows build: each
// reads, writes back and reads again to the same text, and as a page of buttons it loads and paints.
TEST(MalformedInput, TheFuzzingCorpusReadsBackAndLoadsAsPages) {
    namespace fs = std::filesystem;
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(CATALOG_FUZZ_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::string text = bytes.str();
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        platform::ParsedLayout first = platform::ParseLayout(text);
        if (!first.root.className.empty()) {
            std::string written = platform::WriteLayout(first.root);
            platform::ParsedLayout second = platform::ParseLayout(written);
            EXPECT_TRUE(second.diagnostics.empty());
            EXPECT_EQ(platform::WriteLayout(second.root), written);
        }
        LoadShowAndPaint(text);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(files, 100);
}
