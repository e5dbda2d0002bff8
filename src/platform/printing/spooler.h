// The spooler's calls on a printer device of the program's own: which printer is the default, opening
// a DC on it, and the document and page calls on that DC. The printer driver makes them through this,
// so that a test can stand in for the spooler with devices that it can watch.
#pragma once

#include <string>

#include "platform/win32/win.h"

namespace platform {

class Spooler {
public:
    virtual ~Spooler() = default;

    // Name of the default printer, or empty when none is installed.
    virtual std::string DefaultPrinterName() = 0;
    // A new DC on the printer `name`, which the caller deletes with DeleteDC; null when it cannot be
    // opened.
    virtual HDC CreatePrinterDC(const std::string& name) = 0;
    // The document and page calls, each returning what the spooler returns: above zero on success.
    virtual int StartDoc(HDC dc, const char* documentName) = 0;
    virtual int StartPage(HDC dc) = 0;
    virtual int EndPage(HDC dc) = 0;
    virtual int EndDoc(HDC dc) = 0;
    virtual int AbortDoc(HDC dc) = 0;
};

// The spooler of Windows.
class WindowsSpooler final : public Spooler {
public:
    std::string DefaultPrinterName() override;
    HDC CreatePrinterDC(const std::string& name) override;
    int StartDoc(HDC dc, const char* documentName) override;
    int StartPage(HDC dc) override;
    int EndPage(HDC dc) override;
    int EndDoc(HDC dc) override;
    int AbortDoc(HDC dc) override;
};

}  // namespace platform
