// The printer object on a GDI device: the default printer through the spooler, or a DC that someone
// else owns (an enhanced metafile).
#pragma once

#include <memory>
#include <string>

#include "platform/printing/printer.h"
#include "platform/win32/win.h"

namespace platform {

class Spooler;

// Positions are inches from the device's origin, which on a printer DC is the corner of the
// printable area; device units per inch come from LOGPIXELSX/Y. On the default printer the device is
// opened when the first output of a job arrives and released at the end of the job, so each job goes
// to the printer that is the default at that moment. StartDoc, StartPage, EndPage and EndDoc are
// checked; a failure aborts the job (AbortDoc: nothing stays in the spooler) and throws PrinterError:
// Refused when StartDoc or EndDoc fails (the spooler would not take the job: a printer that refuses
// jobs fails at EndDoc, once the job is handed over), Stopped when a page could not be started or
// finished.
class GdiPrinter : public Printer {
public:
    // Prints on the default printer, through the spooler of Windows.
    GdiPrinter();
    // Prints on the default printer of `spooler`, which outlives the printer object.
    explicit GdiPrinter(Spooler& spooler);
    // Prints on a DC that someone else owns (a metafile in tests); no document or page calls are made.
    explicit GdiPrinter(HDC device);
    ~GdiPrinter() override;
    GdiPrinter(const GdiPrinter&) = delete;
    GdiPrinter& operator=(const GdiPrinter&) = delete;

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

private:
    struct State;
    void EnsurePage();
    void ApplyFont();
    void ReleaseDevice();
    [[noreturn]] void Fail(PrintFailure failure);

    std::unique_ptr<State> state_;
};

}  // namespace platform
