// The printer's driver on a device of its own, through a stand-in spooler that hands out memory DCs and
// records its calls: the document and page calls of a job and of every failure, the device deleted
// after each job, and the font that reaches the device, there and on a DC that someone else owns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/printing/gdi_printer.h"
#include "platform/printing/spooler.h"
#include "support/gdi_check.h"
#include "support/gdi_count.h"

namespace {

using Calls = std::vector<std::string>;
using platform::PrintFailure;

// A spooler whose default printer is "Stand-in" (or none): each open hands out a new memory DC (or
// none), and the call named in `failing` with its count in the job ("EndPage 2") fails.
class StandInSpooler : public platform::Spooler {
public:
    std::string printer = "Stand-in";
    bool noDc = false;
    std::string failing;
    Calls calls;  // a call on a DC other than the one handed out reads "... elsewhere"
    HDC handedOut = nullptr;

    std::string DefaultPrinterName() override { return printer; }
    HDC CreatePrinterDC(const std::string& name) override {
        calls.push_back("open " + name);
        return handedOut = noDc ? nullptr : CreateCompatibleDC(nullptr);
    }
    int StartDoc(HDC dc, const char*) override { return Call("StartDoc", dc); }
    int StartPage(HDC dc) override { return Call("StartPage", dc); }
    int EndPage(HDC dc) override { return Call("EndPage", dc); }
    int EndDoc(HDC dc) override { return Call("EndDoc", dc); }
    int AbortDoc(HDC dc) override { return Call("AbortDoc", dc); }

private:
    int Call(const std::string& name, HDC dc) {
        calls.push_back(dc == handedOut ? name : name + " elsewhere");
        const auto count = std::count(calls.begin(), calls.end(), name);
        return failing == name + " " + std::to_string(count) ? SP_ERROR : 1;
    }
};

const Calls kTwoPages = {"open Stand-in", "StartDoc", "StartPage", "EndPage",
                         "StartPage",     "EndPage",  "EndDoc"};

void TwoPageJob(platform::Printer& printer) {
    printer.Print("Page one", true);
    printer.NewPage();
    printer.Print("Page two", true);
    printer.EndDoc();
}

// Face, height in device units, weight, italic and underline of the font selected into `dc`.
std::string FontOf(HDC dc) {
    LOGFONTA font{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    return std::string(font.lfFaceName) + " " + std::to_string(font.lfHeight) + " " +
           std::to_string(font.lfWeight) + (font.lfItalic ? " italic" : "") +
           (font.lfUnderline ? " underlined" : "");
}

}  // namespace

TEST(PrinterDriver, AJobOpensTheDefaultPrinterEachTimeAndLeavesNothingBehind) {
    StandInSpooler spooler;
    testing_support::SelectedDeletionCheck check;
    platform::GdiPrinter printer(spooler);
    const int objects = testing_support::GdiObjectCount();
    for (int job = 1; job <= 2; ++job) {
        SCOPED_TRACE("job " + std::to_string(job));
        spooler.calls.clear();
        TwoPageJob(printer);
        EXPECT_EQ(spooler.calls, kTwoPages);
        EXPECT_EQ(GetObjectType(spooler.handedOut), 0u) << "the printer's DC is still there";
        EXPECT_EQ(testing_support::GdiObjectCount(), objects);
    }
    // Abandoning a job in the middle drops it from the spooler; without a job nothing is asked.
    spooler.calls.clear();
    printer.Print("Page one", true);
    printer.KillDoc();
    printer.KillDoc();
    EXPECT_EQ(spooler.calls, Calls({"open Stand-in", "StartDoc", "StartPage", "AbortDoc"}));
    EXPECT_EQ(GetObjectType(spooler.handedOut), 0u);
    EXPECT_EQ(testing_support::GdiObjectCount(), objects);
    EXPECT_EQ(check.Faults(), Calls());
}

TEST(PrinterDriver, EveryFailureAbandonsTheJobDeletesTheDeviceAndTheNextJobStartsAfresh) {
    const Calls started = {"open Stand-in", "StartDoc", "StartPage"};
    auto then = [&](const Calls& more) {
        Calls calls = started;
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    const std::tuple<std::string, PrintFailure, Calls> cases[] = {
        {"no printer", PrintFailure::NoPrinter, {}},
        {"no DC", PrintFailure::Unreachable, {"open Stand-in"}},
        {"StartDoc 1", PrintFailure::Refused, {"open Stand-in", "StartDoc"}},
        {"StartPage 1", PrintFailure::Stopped, then({"AbortDoc"})},
        {"EndPage 1", PrintFailure::Stopped, then({"EndPage", "AbortDoc"})},
        {"StartPage 2", PrintFailure::Stopped, then({"EndPage", "StartPage", "AbortDoc"})},
        {"EndPage 2", PrintFailure::Stopped, then({"EndPage", "StartPage", "EndPage", "AbortDoc"})},
        // A printer that refuses jobs says so when the job is handed over.
        {"EndDoc 1", PrintFailure::Refused, then({"EndPage", "StartPage", "EndPage", "EndDoc", "AbortDoc"})},
    };
    StandInSpooler spooler;
    platform::GdiPrinter printer(spooler);
    const int objects = testing_support::GdiObjectCount();
    for (const auto& [failing, failure, calls] : cases) {
        SCOPED_TRACE(failing);
        spooler = StandInSpooler();
        spooler.printer = failing == "no printer" ? "" : "Stand-in";
        spooler.noDc = failing == "no DC";
        spooler.failing = failing;
        try {
            TwoPageJob(printer);
            ADD_FAILURE() << "the job did not fail";
        } catch (const platform::PrinterError& error) {
            EXPECT_EQ(error.Failure(), failure);
            EXPECT_EQ(error.PrinterName(), spooler.printer);
        }
        EXPECT_EQ(spooler.calls, calls);
        EXPECT_EQ(spooler.handedOut ? GetObjectType(spooler.handedOut) : 0u, 0u) << "the DC is still there";
        EXPECT_EQ(testing_support::GdiObjectCount(), objects);

        spooler = StandInSpooler();
        TwoPageJob(printer);
        EXPECT_EQ(spooler.calls, kTwoPages) << "the next job";
        EXPECT_EQ(GetObjectType(spooler.handedOut), 0u);
    }
}

TEST(PrinterDriver, TheFontOnTheDeviceIsTheOneSetForEachLine) {
    struct Settings {
        const char* face;
        double points;
        bool bold, italic, underline;
    };
    const Settings lines[] = {{"Arial", 10, false, false, false},
                              {"Times New Roman", 13.5, true, false, false},
                              {"Courier New", 7, false, true, false},
                              {"Courier New", 24, true, false, true},
                              {"Arial", 10, false, false, false}};
    auto printLines = [&](platform::Printer& printer, const std::function<HDC()>& device) {
        for (const Settings& line : lines) {
            printer.SetFontName(line.face);
            printer.SetFontSize(line.points);
            printer.SetFontBold(line.bold);
            printer.SetFontItalic(line.italic);
            printer.SetFontUnderline(line.underline);
            printer.Print(line.face, true);
            const HDC dc = device();
            const long height = std::lround(line.points * GetDeviceCaps(dc, LOGPIXELSY) / 72);
            EXPECT_EQ(FontOf(dc), std::string(line.face) + " " + std::to_string(-height) +
                                      (line.bold ? " 700" : " 400") + (line.italic ? " italic" : "") +
                                      (line.underline ? " underlined" : ""));
        }
        printer.EndDoc();
    };
    {
        SCOPED_TRACE("the printer's own DC");
        StandInSpooler spooler;
        platform::GdiPrinter printer(spooler);
        printLines(printer, [&] { return spooler.handedOut; });
    }
    {
        SCOPED_TRACE("a DC that someone else owns, which gets its own font back");
        platform::MemoryDC dc(nullptr);
        const HGDIOBJ ownFont = GetCurrentObject(dc.get(), OBJ_FONT);
        {
            platform::GdiPrinter printer(dc.get());
            printLines(printer, [&] { return dc.get(); });
        }
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), ownFont);
    }
}
