// The printer's driver on a device of its own, through a stand-in spooler that hands out memory DCs and
// records its calls: the document and page calls of a job and of every failure, the device deleted
// after each job, and the font that reaches the device, there and on a DC that someone else owns.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/printing/gdi_printer.h"
#include "platform/printing/spooler.h"
#include "support/gdi_check.h"
#include "support/gdi_count.h"

namespace {

using platform::PrintFailure;

// A spooler whose default printer is "Stand-in" (or none): each open hands out a new memory DC (or
// none), and the call named in `failing` with its count in the job ("EndPage 2") fails.
class StandInSpooler : public platform::Spooler {
public:
    std::string printer = "Stand-in";
    bool noDc = false;
    std::string failing;
    std::string calls;  // "open StartDoc ...": a call on a DC other than the one handed out ends in "?"
    HDC handedOut = nullptr;

    std::string DefaultPrinterName() override { return printer; }
    HDC CreatePrinterDC(const std::string& name) override {
        handedOut = noDc ? nullptr : CreateCompatibleDC(nullptr);
        Call(name == printer ? "open" : "open " + name, handedOut);
        return handedOut;
    }
    int StartDoc(HDC dc, const char*) override { return Call("StartDoc", dc); }
    int StartPage(HDC dc) override { return Call("StartPage", dc); }
    int EndPage(HDC dc) override { return Call("EndPage", dc); }
    int EndDoc(HDC dc) override { return Call("EndDoc", dc); }
    int AbortDoc(HDC dc) override { return Call("AbortDoc", dc); }

private:
    int Call(const std::string& name, HDC dc) {
        calls += (calls.empty() ? "" : " ") + name + (dc == handedOut ? "" : "?");
        // Windows' spooler calls fail with any answer up to zero: zero is used here.
        return failing == name + " " + std::to_string(++counts_[name]) ? 0 : 1;
    }
    std::map<std::string, int> counts_;
};

const std::string kTwoPages = "open StartDoc StartPage EndPage StartPage EndPage EndDoc";

void TwoPageJob(platform::Printer& printer) {
    printer.Print("Page one", true);
    printer.NewPage();
    printer.Print("Page two", true);
    printer.EndDoc();
}

std::string Font(const std::string& face, long height, long weight, bool italic, bool underline) {
    return face + " " + std::to_string(height) + " " + std::to_string(weight) + (italic ? " italic" : "") +
           (underline ? " underlined" : "");
}

// Face, height in device units, weight, italic and underline of the font selected into `dc`.
std::string FontOf(HDC dc) {
    LOGFONTA f{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof f, &f);
    return Font(f.lfFaceName, f.lfHeight, f.lfWeight, f.lfItalic, f.lfUnderline);
}

}  // namespace

TEST(PrinterDriver, AJobOpensTheDefaultPrinterEachTimeAndLeavesNothingBehind) {
    StandInSpooler spooler;
    testing_support::SelectedDeletionCheck check;
    platform::GdiPrinter printer(spooler);
    const int objects = testing_support::GdiObjectCount();
    for (int job = 1; job <= 2; ++job) {
        spooler.calls.clear();
        TwoPageJob(printer);
        EXPECT_EQ(spooler.calls, kTwoPages) << "job " << job;
        EXPECT_EQ(GetObjectType(spooler.handedOut), 0u)
            << "the printer's DC is still there after job " << job;
        EXPECT_EQ(testing_support::GdiObjectCount(), objects) << "job " << job;
    }
    // Abandoning a job in the middle drops it from the spooler; without a job nothing is asked.
    spooler.calls.clear();
    printer.Print("Page one", true);
    printer.KillDoc();
    printer.KillDoc();
    EXPECT_EQ(spooler.calls, "open StartDoc StartPage AbortDoc");
    EXPECT_EQ(GetObjectType(spooler.handedOut), 0u);
    EXPECT_EQ(testing_support::GdiObjectCount(), objects);
    EXPECT_EQ(check.Faults(), std::vector<std::string>());
}

TEST(PrinterDriver, EveryFailureAbandonsTheJobDeletesTheDeviceAndTheNextJobStartsAfresh) {
    const std::tuple<std::string, PrintFailure, std::string> cases[] = {
        {"no printer", PrintFailure::NoPrinter, ""},
        {"no DC", PrintFailure::Unreachable, "open"},
        {"StartDoc 1", PrintFailure::Refused, "open StartDoc"},
        {"StartPage 1", PrintFailure::Stopped, "open StartDoc StartPage AbortDoc"},
        {"EndPage 1", PrintFailure::Stopped, "open StartDoc StartPage EndPage AbortDoc"},
        {"StartPage 2", PrintFailure::Stopped, "open StartDoc StartPage EndPage StartPage AbortDoc"},
        {"EndPage 2", PrintFailure::Stopped, "open StartDoc StartPage EndPage StartPage EndPage AbortDoc"},
        // A printer that refuses jobs says so when the job is handed over.
        {"EndDoc 1", PrintFailure::Refused, kTwoPages + " AbortDoc"},
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
    // Face, points, bold, italic, underline; the first line in a new printer's font, set by nobody.
    const std::tuple<const char*, double, bool, bool, bool> lines[] = {
        {"Arial", 10, false, false, false},
        {"Times New Roman", 13.5, true, false, false},
        {"Courier New", 7, false, true, false},
        {"Courier New", 24, true, false, true},
        {"Arial", 10, false, false, false}};
    auto printLines = [&](platform::Printer& printer, const std::function<HDC()>& device) {
        for (const auto& [face, points, bold, italic, underline] : lines) {
            if (&face != &std::get<0>(lines[0])) {
                printer.SetFontName(face);
                printer.SetFontSize(points);
                printer.SetFontBold(bold);
                printer.SetFontItalic(italic);
                printer.SetFontUnderline(underline);
            }
            printer.Print(face, true);
            const long height = std::lround(points * GetDeviceCaps(device(), LOGPIXELSY) / 72);
            EXPECT_EQ(FontOf(device()), Font(face, -height, bold ? FW_BOLD : FW_NORMAL, italic, underline));
            // Text leaves what is already on the page around its letters, and stands below its position.
            EXPECT_EQ(GetBkMode(device()), TRANSPARENT);
            EXPECT_EQ(GetTextAlign(device()), UINT(TA_LEFT | TA_TOP | TA_NOUPDATECP));
        }
        printer.EndDoc();
    };
    {
        SCOPED_TRACE("the printer's own DC");
        StandInSpooler spooler;
        platform::GdiPrinter printer(spooler);
        printLines(printer, [&] { return spooler.handedOut; });
    }
    SCOPED_TRACE("a DC that someone else owns, which gets its own font back");
    platform::MemoryDC dc(nullptr);
    const HGDIOBJ ownFont = GetCurrentObject(dc.get(), OBJ_FONT);
    {
        platform::GdiPrinter printer(dc.get());
        printLines(printer, [&] { return dc.get(); });
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), ownFont);
}
