// Text printing around the layout (where the words land: the printed words): the font, the printer's
// calls, the owner's state around the job, and what happens when the printer fails.
#include "common/print_text.h"
#include "common/print_layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "support/fake_owner.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

using Strings = std::vector<std::string>;

TEST(PrintText, PlainArial10OneCallACharacterAndTheOwnerBusyMeanwhile) {
    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    system.printer = &printer;
    printer.bold = printer.italic = true;
    testing_support::FakeOwner owner;
    common::PrintText(owner, "Hello", "", false, false);
    EXPECT_EQ(printer.fontName + " " + std::to_string(printer.fontSize), "Arial 10.000000");
    EXPECT_FALSE(printer.bold || printer.italic || printer.underline);
    EXPECT_EQ(printer.calls, Strings({"print", "print", "print", "print", "print", "enddoc"}));
    EXPECT_EQ(owner.log, Strings({"disable", "pointer 11", "enable", "pointer 0"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST(PrintText, FailuresAbandonTheJobAndSayWhy) {
    // Plain words: what happened, then what the user can do; never a system's error text.
    const std::string notStarted = "Printing could not start.\r\n\r\n";
    const std::string stopped = "Printing stopped before the end, and the print job was cancelled.\r\n\r\n";
    std::string seventyLines;
    for (int n = 1; n <= 70; ++n) seventyLines += "Line " + std::to_string(n) + "\r\n";
    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    auto outOfPaper = [&] {
        if (printer.printCalls == 3) throw std::runtime_error("out of paper");
    };
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
        // An unexpected error still abandons the job and frees the owner.
        {[&] { printer.duringPrint = outOfPaper; }, "", 1},
    };
    for (const auto& [failure, message, killDocs] : cases) {
        SCOPED_TRACE(message);
        printer = testing_support::RecordingPrinter();
        printer.charWidth = 0.125;
        printer.lineHeight = 0.25;
        system.printer = &printer;
        system.messages.clear();
        failure();
        testing_support::FakeOwner owner;
        bool ownerUsableDuringMessage = false;
        system.duringMessage = [&](const testing_support::ShownMessage&) {
            ownerUsableDuringMessage = owner.enabled && owner.pointer == platform::kPointerDefault;
        };
        if (message.empty())
            EXPECT_THROW(common::PrintText(owner, "Hello", "", false, false), std::runtime_error);
        else common::PrintText(owner, seventyLines, "", false, false);
        EXPECT_EQ(printer.killDocs * 10 + printer.endDocs, killDocs * 10);
        EXPECT_TRUE(owner.enabled && owner.pointer == platform::kPointerDefault);
        if (message.empty()) continue;
        ASSERT_EQ(system.messages.size(), 1u);
        EXPECT_EQ(system.messages[0].text, message);
        EXPECT_EQ(system.messages[0].title, "Print");
        EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONHAND | MB_OK));
        EXPECT_EQ(system.messages[0].owner, owner.Handle());
        EXPECT_TRUE(ownerUsableDuringMessage);
    }
}

// A line that ends exactly at the bottom of the text area leaves the next line on the same page; only
// past it does a new page begin, and from the second page on each page ends with its number.
TEST(PrintText, ALineEndingExactlyAtTheBottomKeepsTheNextLineOnItsPage) {
    testing_support::RecordingPrinter printer;
    printer.lineHeight = common::kPageBottom - common::kTextTop;  // one line end reaches the bottom
    common::LayOutText(printer, "a\r\nb\r\nc", "", false, false);
    EXPECT_EQ(printer.PageText(1) + "|" + printer.PageText(2), "a\nb\n|c\n(page 2)\n");
}
