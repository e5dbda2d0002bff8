// Text printing through a recording printer with fixed widths (1/8 inch per character, 1/4 inch per
// line, both exact in binary): where every character lands, the wrap limits, the header, the owner's
// state around the job, and what happens when the printer fails. (Page breaks and page numbers: the
// printed words.)
#include "common/print_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <stdexcept>

#include "fake_owner.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

using Strings = std::vector<std::string>;

namespace {

class PrintTextTest : public ::testing::Test {
protected:
    PrintTextTest() { Reset(); }
    // A fresh printer (with `arrange` applied) and owner.
    void Reset() {
        printer = testing_support::RecordingPrinter();
        printer.charWidth = 0.125;
        printer.lineHeight = 0.25;
        system.printer = &printer;
        system.messages.clear();
        owner = FakeOwner();
        if (arrange) arrange();
    }
    void Print(const std::string& text, const std::string& header = "", bool underline = false,
               bool everyPage = false) {
        Reset();
        common::PrintText(owner, text, header, underline, everyPage);
    }
    // Each printed piece as "x,y:text" (line ends as "\n"), or the lines as "page x,y text".
    std::string Pieces() const {
        std::string all;
        for (const auto& piece : printer.pieces) all += Place(piece) + ":" + piece.text + " ";
        return all;
    }
    Strings Lines() const {
        Strings lines;
        bool open = false;
        int page = 0;
        for (const auto& piece : printer.pieces) {
            if (piece.text == "\n") {
                open = false;
            } else {
                if (!open || page != piece.page)
                    lines.push_back(std::to_string(piece.page) + " " + Place(piece) + " ");
                open = true;
                page = piece.page;
                lines.back() += piece.text;
            }
        }
        return lines;
    }
    static std::string Place(const testing_support::RecordingPrinter::Piece& piece) {
        return Inches(piece.x) + "," + Inches(piece.y);
    }
    static std::string Inches(double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }
    bool Printed(const std::string& text) const {
        return Pieces().find(":" + text + " ") != std::string::npos;
    }

    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    FakeOwner owner;
    std::function<void()> arrange;  // runs on each fresh printer
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
    EXPECT_EQ(printer.fontName + " " + std::to_string(printer.fontSize), "Arial 10.000000");
    EXPECT_FALSE(printer.bold || printer.italic || printer.underline);
    // One printer call per character, then the end of the document.
    EXPECT_EQ(printer.calls, Strings({"print", "print", "print", "print", "print", "enddoc"}));
    EXPECT_EQ(Pieces(), "1,1:H 1.125,1:e 1.25,1:l 1.375,1:l 1.5,1:o ");
    EXPECT_EQ(owner.log, Strings({"disable", "pointer 11", "enable", "pointer 0"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(PrintTextTest, TheWrapLimitsMustBePassedNotJustReached) {
    const std::pair<std::string, std::size_t> cases[] = {
        // The 57th letter carries x from 8 to 8.125 and so ends the line.
        {std::string(100, 'W'), 57},
        // The 56th character ends at exactly 8 inches: no cut there; the blank after it ends the line.
        {std::string(56, 'W') + " x", 57},
        // The 44th character ends at exactly 6.5 inches: a blank there does not end the line.
        {std::string(43, 'a') + " " + std::string(10, 'b') + " c", 55},
        {std::string(44, 'a') + " " + std::string(10, 'b') + " c", 45},
    };
    for (const auto& [text, firstLine] : cases) {
        Print(text);
        EXPECT_EQ(Lines(),
                  Strings({"1 1,1 " + text.substr(0, firstLine), "1 1,1.25 " + text.substr(firstLine)}));
    }
}

TEST_F(PrintTextTest, OnlyCrLfPairsEndLines) {
    const std::pair<std::string, std::string> cases[] = {
        {"A\r\nB", "1,1:A 1.125,1:\n 1,1.25:B "},
        {"A\r\n\r\nB", "1,1:A 1.125,1:\n 1,1.25:\n 1,1.5:B "},  // an empty line between
        {"A\r\n", "1,1:A 1.125,1:\n "},
        {"A\rB", "1,1:A 1.125,1:\r 1.25,1:B "},  // a lone CR or LF is printed
        {"A\nB", "1,1:A 1.125,1:\n 1.25,1:B "},
        {"\n\rB", "1,1:\n 1.125,1:\r 1.25,1:B "},
    };
    for (const auto& [text, pieces] : cases) {
        Print(text);
        EXPECT_EQ(Pieces(), pieces);
    }
}

TEST_F(PrintTextTest, AHeaderHeadsTheFirstPageOrEveryPage) {
    for (bool everyPage : {false, true}) {
        Print(NumberedLines(40), "Report", !everyPage, everyPage);
        Strings lines = Lines();
        EXPECT_EQ(lines[0] + "|" + lines[1], "1 1,1 Report|1 1,1.5 Line 1");
        EXPECT_EQ(printer.pieces[0].underline, !everyPage);
        EXPECT_FALSE(printer.pieces[2].underline || printer.underline);  // the text itself is not underlined
        // Under a header 30 lines fit (1.5 + 30 * 0.25 passes 8.8).
        if (everyPage) EXPECT_EQ(lines[31] + "|" + lines[32], "2 1,1 Report|2 1,1.5 Line 31");
        else EXPECT_EQ(lines[31], "2 1,1 Line 31");
        EXPECT_TRUE(Printed("(page 2)"));
    }
    Print("", "Header", true, true);  // an empty text prints nothing at all
    EXPECT_EQ(printer.calls, Strings({"enddoc"}));
}

TEST_F(PrintTextTest, FailuresAbandonTheJobAndSayWhy) {
    // Plain words: what happened, then what the user can do; never a system's error text.
    const std::string notStarted = "Printing could not start.\r\n\r\n";
    const std::string stopped = "Printing stopped before the end, and the print job was cancelled.\r\n\r\n";
    const std::string refused =
        "The printer did not accept the print job, and nothing was printed.\r\n\r\nCheck in the printer "
        "settings of Windows that the printer \"Recorder\" is ready and accepts print jobs, or make another "
        "printer the default, then print again.";
    auto failAt = [&](int call, platform::PrintFailure failure) {
        return [&, call, failure] { printer.failOnPrintCall = call, printer.printFailure = failure; };
    };
    const std::tuple<std::function<void()>, std::string, int> cases[] = {
        {[&] { system.printer = nullptr; }, notStarted + "No printer is installed.", 0},
        {failAt(0, platform::PrintFailure::Unreachable),
         notStarted + "Check that the printer \"Recorder\" is connected and switched on, then print again.",
         1},
        {failAt(300, platform::PrintFailure::Stopped),  // on page 2
         stopped + "Check that the printer \"Recorder\" is ready, then print again.", 1},
        // A printer that refuses jobs says so when the job is handed over, at its end.
        {[&] { printer.failEndDoc = true; }, refused, 1},
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
        EXPECT_TRUE(ownerUsableDuringMessage && owner.enabled && owner.pointer == platform::kPointerDefault)
            << message;
    }
    // An unexpected error still abandons the job and frees the owner.
    arrange = [&] {
        printer.duringPrint = [&] {
            if (printer.printCalls == 3) throw std::runtime_error("out of paper tray");
        };
    };
    EXPECT_THROW(Print("Hello"), std::runtime_error);
    EXPECT_EQ(printer.killDocs * 10 + printer.endDocs, 10);
    EXPECT_TRUE(owner.enabled && owner.pointer == platform::kPointerDefault);
}
