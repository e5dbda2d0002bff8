// Text printing through a recording printer with fixed widths (1/8 inch per character, 1/4 inch per
// line, both exact in binary): where every character lands, page breaks and page numbers, the
// header, the owner's state around the job, and what happens when the printer fails.
#include "common/print_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "fake_owner.h"
#include "platform/application.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"
#include "support/test_page.h"

using testing_support::FakeSystem;
using testing_support::RecordingPrinter;
using Strings = std::vector<std::string>;

namespace {

constexpr double kCharWidth = 0.125;
constexpr double kLineHeight = 0.25;

// One printed line: its characters and where it started.
struct Line {
    int page;
    double x, y;
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

    // Prints on a fresh printer and owner.
    void Print(const std::string& text, const std::string& header = "", bool underline = false,
               bool everyPage = false) {
        printer = RecordingPrinter();
        printer.charWidth = kCharWidth;
        printer.lineHeight = kLineHeight;
        system.printer = &printer;
        system.messages.clear();
        owner = FakeOwner();
        if (arrange) arrange();
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
        auto found =
            std::find_if(printer.pieces.begin(), printer.pieces.end(), [&](auto& p) { return p.text == text; });
        return found == printer.pieces.end() ? nullptr : &*found;
    }
    int Count(const std::string& call) const {
        return int(std::count(printer.calls.begin(), printer.calls.end(), call));
    }

    FakeSystem system;
    RecordingPrinter printer;
    FakeOwner owner;
    std::function<void()> arrange;  // runs before each print, on the fresh printer
};

std::string NumberedLines(int count) {
    std::string text;
    for (int n = 1; n <= count; ++n) text += "Line " + std::to_string(n) + "\r\n";
    return text;
}

}  // namespace

TEST_F(PrintTextTest, AOneLineTextPrintsAtOneInchInPlainArial10OnOnePageWithoutANumber) {
    arrange = [&] { printer.bold = printer.italic = true; };
    Print("Hello");
    EXPECT_EQ(printer.fontName, "Arial");
    EXPECT_EQ(printer.fontSize, 10);
    EXPECT_FALSE(printer.bold || printer.italic || printer.underline);
    // One printer call per character, then the end of the document.
    EXPECT_EQ(printer.calls, Strings({"print", "print", "print", "print", "print", "enddoc"}));
    ASSERT_EQ(printer.pieces.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(printer.pieces[i].page, 1);
        EXPECT_DOUBLE_EQ(printer.pieces[i].x, 1 + kCharWidth * i);
        EXPECT_DOUBLE_EQ(printer.pieces[i].y, 1);
    }
    EXPECT_EQ(owner.log, Strings({"disable", "pointer 11", "enable", "pointer 0"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(PrintTextTest, PagesEndOnlyWhileTextRemainsAndTheLaterOnesAreNumberedAtTheirFoot) {
    Print(NumberedLines(70));
    // 32 lines fit between 1 and 8.8 inches: the line end of line 32 carries y to 9 and ends the page.
    EXPECT_EQ(Count("newpage"), 2);
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
    EXPECT_EQ(lines[31].text, "Line 32");
    EXPECT_DOUBLE_EQ(lines[31].y, 8.75);  // the last line of a page starts no lower than 8.8
    EXPECT_EQ(lines[32].text + " " + std::to_string(lines[32].page), "Line 33 2");
    EXPECT_DOUBLE_EQ(lines[32].x + lines[32].y, 2);
    EXPECT_EQ(lines[70].text + lines[71].text, "Line 70(page 3)");

    // 32 lines fill page 1 exactly, with nothing left to print; 33 need a second page, and a text ending
    // in CR LF still numbers its last page.
    for (auto [count, pages] : {std::pair{31, 1}, {32, 1}, {33, 2}, {64, 2}}) {
        Print(NumberedLines(count));
        EXPECT_EQ(Count("newpage"), pages - 1) << count << " lines";
        EXPECT_EQ(Find("(page 2)") != nullptr, pages == 2) << count << " lines";
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
        if (n + 1 == lines.size()) break;
        // The line ends with the blank that first lies past 6.5 inches; no earlier blank did.
        EXPECT_EQ(line.text.back(), ' ') << n;
        EXPECT_GT(line.endX, 6.5) << n;
        EXPECT_LE(1 + kCharWidth * static_cast<double>(line.text.find_last_of(' ', line.text.size() - 2) + 1), 6.5);
    }
    EXPECT_EQ(printed, paragraph);  // nothing lost, nothing added
}

TEST_F(PrintTextTest, TheWrapLimitsMustBePassedNotJustReached) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t firstLine;  // characters on the first line
    };
    const Case cases[] = {
        // The 57th letter carries x from 8 to 8.125 and so ends the line.
        {"a hundred-letter word", std::string(100, 'W'), 57},
        // The 56th character ends at exactly 8 inches: no cut there; the blank after it ends the line.
        {"a letter ending at 8", std::string(56, 'W') + " x", 57},
        // The 44th character ends at exactly 6.5 inches: a blank there does not end the line.
        {"a blank ending at 6.5", std::string(43, 'a') + " " + std::string(10, 'b') + " c", 55},
        {"a blank ending past 6.5", std::string(44, 'a') + " " + std::string(10, 'b') + " c", 45},
    };
    for (const Case& c : cases) {
        Print(c.text);
        std::vector<Line> lines = Lines();
        ASSERT_EQ(lines.size(), 2u) << c.name;
        EXPECT_EQ(lines[0].text, c.text.substr(0, c.firstLine)) << c.name;
        EXPECT_EQ(lines[1].text, c.text.substr(c.firstLine)) << c.name;
        EXPECT_DOUBLE_EQ(lines[1].x + lines[1].y, 2.25) << c.name;
    }
}

TEST_F(PrintTextTest, OnlyCrLfPairsEndLines) {
    struct Piece {
        double x, y;
        std::string text;  // "\n" for a line end, or the character printed
    };
    const std::pair<std::string, std::vector<Piece>> cases[] = {
        {"A\r\nB", {{1, 1, "A"}, {1.125, 1, "\n"}, {1, 1.25, "B"}}},
        {"A\r\n\r\nB", {{1, 1, "A"}, {1.125, 1, "\n"}, {1, 1.25, "\n"}, {1, 1.5, "B"}}},  // an empty line
        {"A\r\n", {{1, 1, "A"}, {1.125, 1, "\n"}}},
        {"A\rB", {{1, 1, "A"}, {1.125, 1, "\r"}, {1.25, 1, "B"}}},  // lone CR and LF are printed
        {"A\nB", {{1, 1, "A"}, {1.125, 1, "\n"}, {1.25, 1, "B"}}},
        {"\n\rB", {{1, 1, "\n"}, {1.125, 1, "\r"}, {1.25, 1, "B"}}},
    };
    for (const auto& [text, pieces] : cases) {
        Print(text);
        ASSERT_EQ(printer.pieces.size(), pieces.size()) << text;
        for (std::size_t n = 0; n < pieces.size(); ++n) {
            EXPECT_DOUBLE_EQ(printer.pieces[n].x, pieces[n].x) << text << " #" << n;
            EXPECT_DOUBLE_EQ(printer.pieces[n].y, pieces[n].y) << text << " #" << n;
            EXPECT_EQ(printer.pieces[n].text, pieces[n].text) << text << " #" << n;
        }
    }
}

TEST_F(PrintTextTest, AHeaderHeadsTheFirstPageOrEveryPage) {
    for (bool everyPage : {false, true}) {
        Print(NumberedLines(40), "Report", !everyPage, everyPage);
        std::vector<Line> lines = Lines();
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0].text, "Report");
        EXPECT_DOUBLE_EQ(lines[0].x + lines[0].y, 2);
        EXPECT_EQ(Find("Report")->underline, !everyPage);
        EXPECT_EQ(lines[1].text, "Line 1");
        EXPECT_DOUBLE_EQ(lines[1].y, 1.5);
        EXPECT_FALSE(Find("L")->underline || printer.underline);  // the text itself is not underlined
        // Under a header 30 lines fit (1.5 + 30 * 0.25 passes 8.8).
        auto second = std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.page == 2; });
        ASSERT_NE(second, lines.end());
        if (everyPage) {
            EXPECT_EQ(second->text + " " + second[1].text, "Report Line 31");
            EXPECT_DOUBLE_EQ(second[1].y, 1.5);
        } else {
            EXPECT_EQ(second->text, "Line 31");
            EXPECT_DOUBLE_EQ(second->y, 1);
        }
        EXPECT_NE(printer.PageText(2).find("(page 2)"), std::string::npos);
    }
    Print("", "Header", true, true);  // an empty text prints nothing at all
    EXPECT_EQ(printer.calls, Strings({"enddoc"}));
}

TEST_F(PrintTextTest, APageIsDisabledWithTheHourglassWhileItPrints) {
    platform::Application app;
    auto page = std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmPrint"));
    page->Show();
    ASSERT_TRUE(testing_support::PumpUntil(app, [&] { return page->activations == 1; }));
    int busy = 0;
    printer.duringPrint = [&] {
        busy += !IsWindowEnabled(page->hwnd()) && page->MousePointer() == platform::kPointerHourglass;
    };
    common::PrintText(*page, "Hi", "", false, false);
    EXPECT_EQ(busy, 2);
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
    const std::string notStarted = "Printing could not start.\r\n\r\n";
    const std::string stopped = "Printing stopped before the end, and the print job was cancelled.\r\n\r\n";
    const std::tuple<std::function<void()>, std::string, int> cases[] = {
        {[&] { system.printer = nullptr; }, notStarted + "No printer is installed.", 0},
        {[&] { printer.failOnPrintCall = 0; }, notStarted + "The printer stopped responding.", 1},
        {[&] { printer.failOnPrintCall = 300; }, stopped + "The printer stopped responding.", 1},  // on page 2
        {[&] { printer.failEndDoc = true; }, stopped + "The print job could not be finished.", 1},
    };
    for (const auto& [failure, message, killDocs] : cases) {
        arrange = failure;
        bool ownerUsableDuringMessage = false;
        system.duringMessage = [&](const testing_support::ShownMessage&) {
            ownerUsableDuringMessage = owner.enabled && owner.pointer == platform::kPointerDefault;
        };
        Print(NumberedLines(70));
        ASSERT_EQ(system.messages.size(), 1u) << message;
        EXPECT_EQ(system.messages[0].text, message);
        EXPECT_EQ(system.messages[0].title, "Print");
        EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONHAND | MB_OK));
        EXPECT_EQ(system.messages[0].owner, owner.Handle());
        EXPECT_EQ(printer.killDocs * 10 + printer.endDocs, killDocs * 10) << message;
        EXPECT_TRUE(ownerUsableDuringMessage) << message;
        EXPECT_TRUE(owner.enabled && owner.pointer == platform::kPointerDefault) << message;
    }

    // An unexpected error still abandons the job and frees the owner.
    arrange = [&] {
        printer.duringPrint = [&] {
            if (printer.printCalls == 3) throw std::runtime_error("out of paper tray");
        };
    };
    EXPECT_THROW(Print("Hello"), std::runtime_error);
    EXPECT_EQ(printer.killDocs * 10 + printer.endDocs, 10);
    EXPECT_TRUE(owner.enabled);
    EXPECT_EQ(owner.pointer, platform::kPointerDefault);
}
