// The printer object: a current print position in inches from the corner of the printable area, a
// font, text output that advances the position, line ends, pages and the end of the document.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/win.h"

namespace platform {

// A printer that cannot be reached or a print job that failed.
class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
    virtual void Print(std::string_view text, bool lineEnd) = 0;
    // Ends the page; the next output goes on a new one, at x = y = 0.
    virtual void NewPage() = 0;
    // Ends the document: the job goes to the printer.
    virtual void EndDoc() = 0;
    // Abandons the job: nothing of it is printed.
    virtual void KillDoc() = 0;
};

// The printer object on a GDI device. By default the device is the default printer, opened when the
// first output of a job arrives; StartDoc, StartPage, EndPage and EndDoc are checked, and a failure
// aborts the job and throws PrinterError.
class GdiPrinter : public Printer {
public:
    // Prints on the default printer.
    GdiPrinter();
    // Prints on a DC that someone else owns (a metafile in tests); no document calls are made.
    explicit GdiPrinter(HDC device);
    ~GdiPrinter() override;

    void SetScaleMode(int mode) override;
    void SetFontName(std::string name) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    bool FontUnderline() const override;
    double CurrentX() const override;
    double CurrentY() const override;
    void SetCurrentX(double inches) override;
    void SetCurrentY(double inches) override;
    void Print(std::string_view text, bool lineEnd) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;

    // Name of the default printer, or empty when none is installed.
    static std::string DefaultPrinterName();

private:
    struct State;
    void EnsurePage();
    void ApplyFont();
    void Fail(const std::string& what);

    std::unique_ptr<State> state_;
};

}  // namespace platform
