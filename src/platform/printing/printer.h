// The printer object: a current print position in inches from the corner of the printable area, a
// font, text output that advances the position, line ends, pages and the end of the document.
//
// No Windows header here: the printing layout that talks to this interface also builds on the host.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A printer that cannot be reached or a print job that failed. The text says why, in words for the
// user ("No printer is installed."). `jobWasRunning` tells whether the job had already started when
// it failed (it has been abandoned either way).
class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const std::string& why, bool jobWasRunning = false)
        : std::runtime_error(why), jobWasRunning_(jobWasRunning) {}

    bool JobWasRunning() const { return jobWasRunning_; }

private:
    bool jobWasRunning_;
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
