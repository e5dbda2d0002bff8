#include "platform/printing/gdi_printer.h"

#include <cmath>

#include "platform/printing/spooler.h"
#include "platform/win32/gdi.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

constexpr const char* kDocumentName = "Catalog";

}  // namespace

struct GdiPrinter::State {
    WindowsSpooler windowsSpooler;
    Spooler* spooler = &windowsSpooler;  // for the printer's own DC

    // In this order, so that the font is selected out before it goes, and it goes before the DC.
    OwnedDC printerDc;        // the default printer's DC while a job runs
    HDC dc = nullptr;         // where the output goes: printerDc, or a DC that someone else owns
    std::string printerName;  // of printerDc
    Font font;
    Selection fontSelection;  // `font` in `dc`; gives the DC its own font back

    bool OwnsDc() const { return static_cast<bool>(printerDc); }

    bool docStarted = false;
    bool pageStarted = false;
    int scaleMode = kScaleInches;

    std::string fontName = "Arial";
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fontDirty = true;

    double x = 0;
    double y = 0;
    int dpiX = 0;
    int dpiY = 0;
};

GdiPrinter::GdiPrinter() : state_(std::make_unique<State>()) {}

GdiPrinter::GdiPrinter(Spooler& spooler) : state_(std::make_unique<State>()) {
    state_->spooler = &spooler;
}

GdiPrinter::GdiPrinter(HDC device) : state_(std::make_unique<State>()) {
    state_->dc = device;
    state_->dpiX = GetDeviceCaps(device, LOGPIXELSX);
    state_->dpiY = GetDeviceCaps(device, LOGPIXELSY);
}

GdiPrinter::~GdiPrinter() {
    KillDoc();
}

void GdiPrinter::SetScaleMode(int mode) {
    // Kept for the next job. The spooler is not asked now: start-up sets the unit, and asking there
    // would load the whole print system into every run; a missing printer shows when a job starts.
    state_->scaleMode = mode;
}

void GdiPrinter::SetFontName(std::string name) {
    state_->fontName = std::move(name);
    state_->fontDirty = true;
}
void GdiPrinter::SetFontSize(double points) {
    state_->fontSize = points;
    state_->fontDirty = true;
}
void GdiPrinter::SetFontBold(bool on) {
    state_->bold = on;
    state_->fontDirty = true;
}
void GdiPrinter::SetFontItalic(bool on) {
    state_->italic = on;
    state_->fontDirty = true;
}
void GdiPrinter::SetFontUnderline(bool on) {
    state_->underline = on;
    state_->fontDirty = true;
}
bool GdiPrinter::FontUnderline() const {
    return state_->underline;
}

double GdiPrinter::CurrentX() const {
    return state_->x;
}
double GdiPrinter::CurrentY() const {
    return state_->y;
}
void GdiPrinter::SetCurrentX(double inches) {
    state_->x = inches;
}
void GdiPrinter::SetCurrentY(double inches) {
    state_->y = inches;
}

// Gives the font back to the DC and, for the printer's own DC, deletes it. The font settings stay;
// the next job makes its font again.
void GdiPrinter::ReleaseDevice() {
    State& s = *state_;
    s.fontSelection.Reset();
    s.font.Reset();
    s.fontDirty = true;
    if (s.OwnsDc()) {
        s.printerDc.Reset();
        s.dc = nullptr;
    }
    s.docStarted = s.pageStarted = false;
    s.x = s.y = 0;
}

void GdiPrinter::Fail(PrintFailure failure) {
    State& s = *state_;
    std::string name = s.printerName;
    if (s.docStarted && s.OwnsDc()) s.spooler->AbortDoc(s.dc);  // the spooler drops what it already has
    ReleaseDevice();
    throw PrinterError(failure, name);
}

void GdiPrinter::EnsurePage() {
    State& s = *state_;
    if (!s.dc) {
        s.printerName = s.spooler->DefaultPrinterName();
        if (s.printerName.empty()) throw PrinterError(PrintFailure::NoPrinter);
        s.printerDc = OwnedDC(s.spooler->CreatePrinterDC(s.printerName));
        s.dc = s.printerDc.get();
        if (!s.dc) Fail(PrintFailure::Unreachable);
        s.dpiX = GetDeviceCaps(s.dc, LOGPIXELSX);
        s.dpiY = GetDeviceCaps(s.dc, LOGPIXELSY);
    }
    if (s.OwnsDc() && !s.docStarted) {
        if (s.spooler->StartDoc(s.dc, kDocumentName) <= 0) Fail(PrintFailure::Refused);
        s.docStarted = true;
    }
    if (s.OwnsDc() && !s.pageStarted) {
        if (s.spooler->StartPage(s.dc) <= 0) Fail(PrintFailure::Stopped);
        s.pageStarted = true;
        s.fontDirty = true;  // some drivers reset the DC at StartPage
    }
    if (s.fontDirty) ApplyFont();
}

void GdiPrinter::ApplyFont() {
    State& s = *state_;
    LOGFONTA lf{};
    lf.lfHeight = -PointsToPixels(s.fontSize, s.dpiY);
    lf.lfWeight = s.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = s.italic;
    lf.lfUnderline = s.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lstrcpynA(lf.lfFaceName, s.fontName.c_str(), LF_FACESIZE);
    Font font(CreateFontIndirectA(&lf));
    s.fontSelection.Select(s.dc, font.get());
    s.font = std::move(font);  // the font it replaces is no longer selected
    s.fontDirty = false;
    SetBkMode(s.dc, TRANSPARENT);
    SetTextAlign(s.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void GdiPrinter::Print(std::string_view text, bool lineEnd) {
    EnsurePage();
    State& s = *state_;
    if (!text.empty()) {
        int x = static_cast<int>(std::lround(s.x * s.dpiX));
        int y = static_cast<int>(std::lround(s.y * s.dpiY));
        int length = static_cast<int>(text.size());
        TextOutA(s.dc, x, y, text.data(), length);
        SIZE extent{};
        GetTextExtentPoint32A(s.dc, text.data(), length, &extent);
        s.x += static_cast<double>(extent.cx) / s.dpiX;
    }
    if (lineEnd) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(s.dc, &metrics);
        s.x = 0;
        s.y += static_cast<double>(metrics.tmHeight + metrics.tmExternalLeading) / s.dpiY;
    }
}

void GdiPrinter::NewPage() {
    EnsurePage();
    State& s = *state_;
    if (s.OwnsDc()) {
        if (s.spooler->EndPage(s.dc) <= 0) Fail(PrintFailure::Stopped);
        s.pageStarted = false;
    }
    s.x = s.y = 0;
}

void GdiPrinter::EndDoc() {
    State& s = *state_;
    if (s.OwnsDc() && s.docStarted) {
        if (s.pageStarted && s.spooler->EndPage(s.dc) <= 0) Fail(PrintFailure::Stopped);
        s.pageStarted = false;
        if (s.spooler->EndDoc(s.dc) <= 0) Fail(PrintFailure::Refused);
        ReleaseDevice();
    }
    s.x = s.y = 0;
}

void GdiPrinter::KillDoc() {
    State& s = *state_;
    if (s.OwnsDc() && s.docStarted) s.spooler->AbortDoc(s.dc);
    if (s.OwnsDc()) ReleaseDevice();
    s.x = s.y = 0;
}

}  // namespace platform
