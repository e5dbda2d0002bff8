// The printer object: a current print position in inches from the corner of the printable area, a
// font, text output that advances the position, line ends, pages and the end of the document.
//
// No Windows header here: the printing layout that talks to this interface also builds on the host.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// What went wrong with a print job. Whatever it was, the job has been abandoned: nothing of it stays
// with the printer.
enum class PrintFailure {
    NoPrinter,    // no printer is installed
    Unreachable,  // the printer could not be opened
    Refused,      // the printer did not accept the job, at its start or at its end: nothing is printed
    Stopped,      // the printer failed between two pages, and the pages before were cancelled
};

// A printer that cannot be reached or a print job that failed, with the printer's name when known.
class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(PrintFailure failure, std::string printerName = {})
        : std::runtime_error(Describe(failure)), failure_(failure), printerName_(std::move(printerName)) {}

    PrintFailure Failure() const { return failure_; }
    const std::string& PrinterName() const { return printerName_; }

private:
    static const char* Describe(PrintFailure failure) {
        switch (failure) {
        case PrintFailure::NoPrinter: return "no printer is installed";
        case PrintFailure::Unreachable: return "the printer could not be opened";
        case PrintFailure::Refused: return "the printer did not accept the print job";
        case PrintFailure::Stopped: break;
        }
        return "the printer failed between two pages";
    }

    PrintFailure failure_;
    std::string printerName_;
};

class Printer {
public:
    virtual ~Printer() = default;

    // Scale mode 5 (inches) is the only unit this program prints in; setting it needs a printer.
    static constexpr int kScaleInches = 5;
    virtual void SetScaleMode(int mode) = 0;

    virtual void SetFontName(std::string name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool on) = 0;
    virtual void SetFontItalic(bool on) = 0;
    virtual void SetFontUnderline(bool on) = 0;
    virtual bool FontUnderline() const = 0;

    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double inches) = 0;
    virtual void SetCurrentY(double inches) = 0;

    // Prints `text` at the current position and moves x past it; with `lineEnd` then sets x to 0 and
    // moves y down one line of the current font. An empty text with a line end is a line end alone.
    // The first output of a job starts the job. Throws PrinterError when the printer fails.
    virtual void Print(std::string_view text, bool lineEnd) = 0;
    // Ends the page; the next output goes on a new one, at x = y = 0.
    virtual void NewPage() = 0;
    // Ends the document: the job goes to the printer.
    virtual void EndDoc() = 0;
    // Abandons the job: nothing of it is printed. Does nothing when no job runs; never throws.
    virtual void KillDoc() = 0;
};

}  // namespace platform
