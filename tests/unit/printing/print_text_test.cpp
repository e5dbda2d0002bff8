// Text printing through a recording printer with fixed widths (1/8 inch per character, 1/4 inch per
// line, both exact in binary): where every character lands, page breaks and page numbers, the
// header, the owner's state around the job, and what happens when the printer fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/print_text.h"
#include "fake_owner.h"
#include "platform/application.h"
#include "platform/page.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"
#include "support/test_page.h"

using testing_support::FakeSystem;
using testing_support::RecordingPrinter;

namespace {

constexpr double kCharWidth = 0.125;
constexpr double kLineHeight = 0.25;

// One printed line: its characters and where it started.
struct Line {
    int page;
    double x;
    double y;
    std::string text;
    double endX;  // x after its last character
};

class PrintTextTest : public ::testing::Test {
protected:
    PrintTextTest() {
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        system.printer = &printer;
    }

    void Print(const std::string& text, const std::string& header = "", bool underline = false,
               bool everyPage = false) {
        common::PrintText(owner, text, header, underline, everyPage);
    }

    // The printed pieces joined into lines (line ends and pages split them).
    std::vector<Line> Lines() const {
        std::vector<Line> lines;
        bool open = false;
        for (const auto& piece : printer.pieces) {
            if (piece.text == "\n") {
                open = false;
                continue;
            }
            if (!open || lines.back().page != piece.page) lines.push_back({piece.page, piece.x, piece.y, "", 0});
            open = true;
            lines.back().text += piece.text;
            lines.back().endX = piece.x + kCharWidth * static_cast<double>(piece.text.size());
        }
        return lines;
    }

    const RecordingPrinter::Piece* Find(const std::string& text) const {
        for (const auto& piece : printer.pieces)
            if (piece.text == text) return &piece;
        return nullptr;
    }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(printer.calls.begin(), printer.calls.end(), call));
    }

    FakeSystem system;
    RecordingPrinter printer;
    FakeOwner owner;
};

std::string NumberedLines(int count) {
    std::string text;
    for (int n = 1; n <= count; ++n) text += "Line " + std::to_string(n) + "\r\n";
    return text;
}

}  // namespace

TEST_F(PrintTextTest, AOneLineTextPrintsAtOneInchOnOnePageWithoutANumber) {
    printer.bold = printer.italic = true;
    Print("Hello");
    EXPECT_EQ(printer.fontName, "Arial");
    EXPECT_EQ(printer.fontSize, 10);
    EXPECT_FALSE(printer.bold);
    EXPECT_FALSE(printer.italic);
    EXPECT_FALSE(printer.underline);

    // One printer call per character, then the end of the document.
    EXPECT_EQ(printer.calls, std::vector<std::string>({"print", "print", "print", "print", "print", "enddoc"}));
    ASSERT_EQ(printer.pieces.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(printer.pieces[i].page, 1);
        EXPECT_DOUBLE_EQ(printer.pieces[i].x, 1 + kCharWidth * i);
        EXPECT_DOUBLE_EQ(printer.pieces[i].y, 1);
    }
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(PrintTextTest, ThreePagesNumberTheSecondAndThirdAtTheirFoot) {
    Print(NumberedLines(70));
    // 32 lines fit between 1 and 8.8 inches: the line end of line 32 carries y to 9 and ends the page.
    EXPECT_EQ(Count("newpage"), 2);
    EXPECT_EQ(Count("enddoc"), 1);
    EXPECT_EQ(printer.PageText(1).find("(page"), std::string::npos);
    for (int page : {2, 3}) {
        const auto* number = Find("(page " + std::to_string(page) + ")");
        ASSERT_NE(number, nullptr) << page;
        EXPECT_EQ(number->page, page);
        EXPECT_DOUBLE_EQ(number->x, 6);
        EXPECT_DOUBLE_EQ(number->y, 9.2);
    }
    std::vector<Line> lines = Lines();
    ASSERT_EQ(lines.size(), 72u);  // 70 text lines and two page numbers
    EXPECT_EQ(lines[0].text, "Line 1");
    EXPECT_EQ(lines[31].text, "Line 32");
    EXPECT_DOUBLE_EQ(lines[31].y, 8.75);  // the last line of a page starts no lower than 8.8
    EXPECT_EQ(lines[32].text, "Line 33");
    EXPECT_EQ(lines[32].page, 2);
    EXPECT_DOUBLE_EQ(lines[32].x, 1);
    EXPECT_DOUBLE_EQ(lines[32].y, 1);
    EXPECT_EQ(lines.back().text, "(page 3)");
    EXPECT_EQ(lines[lines.size() - 2].text, "Line 70");
}

TEST_F(PrintTextTest, PagesEndOnlyWhileTextRemains) {
    struct Case {
        int lines;
        int pages;
        bool numbered;
    };
    // 32 lines fill page 1 exactly (its last line end passes 8.8 with nothing left to print); 33 need
    // a second page, and a text ending in CR LF still numbers its last page.
    for (Case c : {Case{31, 1, false}, Case{32, 1, false}, Case{33, 2, true}, Case{64, 2, true}}) {
        printer = RecordingPrinter();
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        Print(NumberedLines(c.lines));
        EXPECT_EQ(Count("newpage"), c.pages - 1) << c.lines << " lines";
        EXPECT_EQ(Find("(page 2)") != nullptr, c.numbered) << c.lines << " lines";
        EXPECT_EQ(printer.calls.back(), "enddoc");
    }
}

TEST_F(PrintTextTest, ALongParagraphWrapsAtTheFirstBlankPastSixAndAHalfInches) {
    std::string paragraph;
    for (int n = 0; paragraph.size() < 600; ++n)
        paragraph += std::string(1 + n * 7 % 11, static_cast<char>('a' + n % 26)) + " ";
    paragraph += "end";
    Print(paragraph);

    std::vector<Line> lines = Lines();
    ASSERT_GT(lines.size(), 5u);
    std::string printed;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Line& line = lines[n];
        printed += line.text;
        EXPECT_DOUBLE_EQ(line.x, 1) << n;
        EXPECT_DOUBLE_EQ(line.y, 1 + kLineHeight * static_cast<double>(n)) << n;
        EXPECT_LE(line.endX, 8) << n;
        if (n + 1 == lines.size()) break;
        // The line ends with the blank that first lies past 6.5 inches; no earlier blank did.
        EXPECT_EQ(line.text.back(), ' ') << n;
        EXPECT_GT(line.endX, 6.5) << n;
        for (std::size_t c = 0; c + 1 < line.text.size(); ++c) {
            double xAfter = 1 + kCharWidth * static_cast<double>(c + 1);
            if (line.text[c] == ' ') {
                EXPECT_LE(xAfter, 6.5) << n << ":" << c;
            }
        }
    }
    EXPECT_EQ(printed, paragraph);  // nothing lost, nothing added
}

TEST_F(PrintTextTest, AHundredLetterWordIsCutPastEightInches) {
    Print(std::string(100, 'W'));
    std::vector<Line> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    // The 57th letter carries x from 8 to 8.125 and so ends the line.
    EXPECT_EQ(lines[0].text, std::string(57, 'W'));
    EXPECT_DOUBLE_EQ(lines[0].endX, 8.125);
    EXPECT_EQ(lines[1].text, std::string(43, 'W'));
    EXPECT_DOUBLE_EQ(lines[1].x, 1);
    EXPECT_DOUBLE_EQ(lines[1].y, 1.25);
}

TEST_F(PrintTextTest, TheWrapLimitsMustBePassedNotJustReached) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t firstLine;  // characters on the first line
    };
    const Case cases[] = {
        // The 44th character ends at exactly 6.5 inches: a blank there does not end the line.
        {"a blank ending at 6.5", std::string(43, 'a') + " " + std::string(10, 'b') + " c", 55},
        {"a blank ending past 6.5", std::string(44, 'a') + " " + std::string(10, 'b') + " c", 45},
        // The 56th character ends at exactly 8 inches: no cut there; the blank after it ends the line.
        {"a letter ending at 8", std::string(56, 'W') + " x", 57},
    };
    for (const Case& c : cases) {
        printer = RecordingPrinter();
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        Print(c.text);
        std::vector<Line> lines = Lines();
        ASSERT_EQ(lines.size(), 2u) << c.name;
        EXPECT_EQ(lines[0].text, c.text.substr(0, c.firstLine)) << c.name;
        EXPECT_EQ(lines[1].text, c.text.substr(c.firstLine)) << c.name;
    }
}

TEST_F(PrintTextTest, OnlyCrLfPairsEndLines) {
    struct Piece {
        double x;
        double y;
        std::string text;  // "\n" for a line end, or the character printed
    };
    struct Case {
        const char* name;
        std::string text;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {"CR LF is one line end", "A\r\nB", {{1, 1, "A"}, {1.125, 1, "\n"}, {1, 1.25, "B"}}},
        {"CR LF CR LF leaves an empty line",
         "A\r\n\r\nB",
         {{1, 1, "A"}, {1.125, 1, "\n"}, {1, 1.25, "\n"}, {1, 1.5, "B"}}},
        {"a trailing CR LF is a line end", "A\r\n", {{1, 1, "A"}, {1.125, 1, "\n"}}},
        {"a lone CR is printed", "A\rB", {{1, 1, "A"}, {1.125, 1, "\r"}, {1.25, 1, "B"}}},
        {"a lone LF is printed", "A\nB", {{1, 1, "A"}, {1.125, 1, "\n"}, {1.25, 1, "B"}}},
        {"LF CR is two characters", "\n\rB", {{1, 1, "\n"}, {1.125, 1, "\r"}, {1.25, 1, "B"}}},
    };
    for (const Case& c : cases) {
        printer = RecordingPrinter();
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        Print(c.text);
        ASSERT_EQ(printer.pieces.size(), c.pieces.size()) << c.name;
        for (std::size_t n = 0; n < c.pieces.size(); ++n) {
            EXPECT_DOUBLE_EQ(printer.pieces[n].x, c.pieces[n].x) << c.name << " #" << n;
            EXPECT_DOUBLE_EQ(printer.pieces[n].y, c.pieces[n].y) << c.name << " #" << n;
            EXPECT_EQ(printer.pieces[n].text, c.pieces[n].text) << c.name << " #" << n;
        }
        EXPECT_EQ(Find("(page 2)"), nullptr) << c.name;
    }
}

TEST_F(PrintTextTest, AHeaderHeadsTheFirstPageOrEveryPage) {
    for (bool everyPage : {false, true}) {
        bool underline = !everyPage;
        printer = RecordingPrinter();
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        Print(NumberedLines(40), "Report", underline, everyPage);

        std::vector<Line> lines = Lines();
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0].text, "Report");
        EXPECT_DOUBLE_EQ(lines[0].x, 1);
        EXPECT_DOUBLE_EQ(lines[0].y, 1);
        EXPECT_EQ(Find("Report")->underline, underline);
        EXPECT_EQ(lines[1].text, "Line 1");
        EXPECT_DOUBLE_EQ(lines[1].x, 1);
        EXPECT_DOUBLE_EQ(lines[1].y, 1.5);
        EXPECT_FALSE(Find("L")->underline);  // the text itself is not underlined
        EXPECT_FALSE(printer.underline);

        // Under a header 30 lines fit (1.5 + 30 * 0.25 passes 8.8).
        auto second = std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.page == 2; });
        ASSERT_NE(second, lines.end());
        if (everyPage) {
            EXPECT_EQ(second->text, "Report");
            EXPECT_DOUBLE_EQ(second->y, 1);
            EXPECT_EQ(second[1].text, "Line 31");
            EXPECT_DOUBLE_EQ(second[1].y, 1.5);
        } else {
            EXPECT_EQ(second->text, "Line 31");
            EXPECT_DOUBLE_EQ(second->y, 1);
        }
        EXPECT_EQ(printer.PageText(1).find("(page"), std::string::npos);
        EXPECT_NE(printer.PageText(2).find("(page 2)"), std::string::npos);
    }
}

TEST_F(PrintTextTest, AnEmptyTextPrintsNothingAndEndsTheDocument) {
    Print("", "Header", true, true);
    EXPECT_EQ(printer.calls, std::vector<std::string>({"enddoc"}));
    EXPECT_TRUE(printer.pieces.empty());
    EXPECT_EQ(owner.log, std::vector<std::string>({"disable", "pointer 11", "enable", "pointer 0"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(PrintTextTest, TheOwnerIsBusyForTheWholeJob) {
    int checked = 0;
    printer.duringPrint = [&] {
        EXPECT_FALSE(owner.enabled);
        EXPECT_EQ(owner.pointer, platform::kPointerHourglass);
        ++checked;
    };
    Print(NumberedLines(40));
    EXPECT_EQ(checked, printer.printCalls);
    EXPECT_EQ(owner.log, std::vector<std::string>({"disable", "pointer 11", "enable", "pointer 0"}));
}

TEST_F(PrintTextTest, APageIsDisabledWithTheHourglassWhileItPrints) {
    platform::Application app;
    auto page = std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmPrint"));
    page->Show();
    ASSERT_TRUE(testing_support::PumpUntil(app, [&] { return page->activations == 1; }));
    bool sawBusy = false;
    printer.duringPrint = [&] {
        sawBusy = !IsWindowEnabled(page->hwnd()) && page->MousePointer() == platform::kPointerHourglass;
    };
    common::PrintText(*page, "Hi", "", false, false);
    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(IsWindowEnabled(page->hwnd()));
    EXPECT_EQ(page->MousePointer(), platform::kPointerDefault);

    // A failure is told in a message owned by the page, once the page is usable again.
    printer.failOnPrintCall = printer.printCalls;
    bool usableDuringMessage = false;
    system.duringMessage = [&](const testing_support::ShownMessage&) {
        usableDuringMessage = IsWindowEnabled(page->hwnd()) && page->MousePointer() == platform::kPointerDefault;
    };
    common::PrintText(*page, "Hi", "", false, false);
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].owner, page->hwnd());
    EXPECT_TRUE(usableDuringMessage);
    page->UnloadWithoutAsking();
}

TEST_F(PrintTextTest, FailuresAbandonTheJobAndSayWhy) {
    struct Case {
        const char* name;
        std::function<void(FakeSystem&, RecordingPrinter&)> arrange;
        std::string message;
        int killDocs;
    };
    const std::string notStarted = "Printing could not start.\r\n\r\n";
    const std::string stopped = "Printing stopped before the end, and the print job was cancelled.\r\n\r\n";
    const Case cases[] = {
        {"no printer installed", [](FakeSystem& s, RecordingPrinter&) { s.printer = nullptr; },
         notStarted + "No printer is installed.", 0},
        {"the job cannot start", [](FakeSystem&, RecordingPrinter& p) { p.failOnPrintCall = 0; },
         notStarted + "The printer stopped responding.", 1},
        {"the printer fails on page 2", [](FakeSystem&, RecordingPrinter& p) { p.failOnPrintCall = 300; },
         stopped + "The printer stopped responding.", 1},
        {"the document cannot be ended", [](FakeSystem&, RecordingPrinter& p) { p.failEndDoc = true; },
         stopped + "The print job could not be finished.", 1},
    };
    for (const Case& c : cases) {
        printer = RecordingPrinter();
        system.printer = &printer;
        system.messages.clear();
        owner = FakeOwner();
        c.arrange(system, printer);
        bool ownerUsableDuringMessage = false;
        system.duringMessage = [&](const testing_support::ShownMessage&) {
            ownerUsableDuringMessage = owner.enabled && owner.pointer == platform::kPointerDefault;
        };

        Print(NumberedLines(70));
        ASSERT_EQ(system.messages.size(), 1u) << c.name;
        EXPECT_EQ(system.messages[0].text, c.message) << c.name;
        EXPECT_EQ(system.messages[0].title, "Print") << c.name;
        EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_ICONHAND | MB_OK))
            << c.name;
        EXPECT_EQ(system.messages[0].owner, owner.Handle()) << c.name;
        EXPECT_EQ(printer.killDocs, c.killDocs) << c.name;
        EXPECT_EQ(printer.endDocs, 0) << c.name;
        EXPECT_TRUE(ownerUsableDuringMessage) << c.name;
        EXPECT_TRUE(owner.enabled) << c.name;
        EXPECT_EQ(owner.pointer, platform::kPointerDefault) << c.name;
    }
}

TEST_F(PrintTextTest, AnUnexpectedErrorStillAbandonsTheJobAndFreesTheOwner) {
    printer.duringPrint = [&] {
        if (printer.printCalls == 3) throw std::runtime_error("out of paper tray");
    };
    EXPECT_THROW(Print("Hello"), std::runtime_error);
    EXPECT_EQ(printer.killDocs, 1);
    EXPECT_EQ(printer.endDocs, 0);
    EXPECT_TRUE(owner.enabled);
    EXPECT_EQ(owner.pointer, platform::kPointerDefault);
}
