#include "common/print_text.h"

#include <string>

#include "common/print_layout.h"
#include "platform/forms/page.h"
#include "platform/system/system.h"

namespace common {
namespace {

constexpr const char* kFontName = "Arial";
constexpr double kFontSize = 10;
constexpr const char* kFailureTitle = "Print";

// Disables the owner and shows the hourglass for as long as it lives.
class BusyOwner {
public:
    explicit BusyOwner(PrintOwner& owner) : owner_(owner) {
        owner_.SetEnabled(false);
        owner_.SetMousePointer(platform::kPointerHourglass);
    }
    ~BusyOwner() {
        owner_.SetEnabled(true);
        owner_.SetMousePointer(platform::kPointerDefault);
    }
    BusyOwner(const BusyOwner&) = delete;
    BusyOwner& operator=(const BusyOwner&) = delete;

private:
    PrintOwner& owner_;
};

// One print job: abandoned when it is left without being finished, whatever the way out.
class PrintJob {
public:
    explicit PrintJob(platform::Printer& printer) : printer_(printer) {}
    ~PrintJob() {
        if (!finished_) printer_.KillDoc();
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void Finish() {
        printer_.EndDoc();
        finished_ = true;
    }

private:
    platform::Printer& printer_;
    bool finished_ = false;
};

// What the user is told when a job fails: what happened, then what can be done about it.
std::string FailureMessage(const platform::PrinterError& error) {
    const std::string printer = "the printer \"" + error.PrinterName() + "\"";
    switch (error.Failure()) {
    case platform::PrintFailure::NoPrinter:
        return "Printing could not start.\r\n\r\nNo printer is installed.";
    case platform::PrintFailure::Unreachable:
        return "Printing could not start.\r\n\r\nCheck that " + printer +
               " is connected and switched on, then print again.";
    case platform::PrintFailure::Refused: {
        const std::string what = "The printer did not accept the print job, and nothing was printed.";
        const std::string advice =
            " is ready and accepts print jobs, or make another printer the default, "
            "then print again.";
        return what + "\r\n\r\nCheck in the printer settings of Windows that " + printer + advice;
    }
    case platform::PrintFailure::Stopped: break;
    }
    return "Printing stopped before the end, and the print job was cancelled.\r\n\r\nCheck that " + printer +
           " is ready, then print again.";
}

class PageOwner : public PrintOwner {
public:
    explicit PageOwner(platform::Page& page) : page_(page) {}
    HWND Handle() const override { return page_.hwnd(); }
    void SetEnabled(bool enabled) override { page_.SetEnabled(enabled); }
    void SetMousePointer(int pointer) override { page_.SetMousePointer(pointer); }

private:
    platform::Page& page_;
};

}  // namespace

void PrintText(PrintOwner& owner, std::string_view text, std::string_view header, bool underlineHeader,
               bool headerOnEveryPage) {
    std::string failure;
    try {
        platform::Printer& printer = platform::System().DefaultPrinter();
        printer.SetFontName(kFontName);
        printer.SetFontSize(kFontSize);
        printer.SetFontBold(false);
        printer.SetFontItalic(false);

        BusyOwner busy(owner);
        PrintJob job(printer);
        LayOutText(printer, text, header, underlineHeader, headerOnEveryPage);
        job.Finish();
    } catch (const platform::PrinterError& error) {
        failure = FailureMessage(error);
    }
    // Told only now, with the job gone and the owner usable again.
    if (!failure.empty())
        platform::System().ShowMessage(owner.Handle(), failure, kFailureTitle, MB_OK | MB_ICONHAND);
}

void PrintText(platform::Page& owner, std::string_view text, std::string_view header, bool underlineHeader,
               bool headerOnEveryPage) {
    PageOwner pageOwner(owner);
    PrintText(pageOwner, text, header, underlineHeader, headerOnEveryPage);
}

}  // namespace common
