// The program's contact points with the world outside its windows: message boxes, the shell, the
// previous-instance question, the printer, where the mouse pointer is, the user's high-contrast
// setting and decimal separator. Each goes through SystemServices, so that a test can put a replacement in
// place that answers and records instead of opening anything. The program itself always runs on the real
// services.
#pragma once

#include <string>

#include "platform/printing/printer.h"
#include "platform/win32/win.h"

namespace platform {

class SystemServices {
public:
    SystemServices() = default;
    virtual ~SystemServices();
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;

    // MessageBoxA: blocks until answered and returns IDOK, IDYES or IDNO.
    virtual int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style);
    // ShellExecuteA with no verb and no parameters; above 32 when something was started. An address too
    // long for any browser is not handed over (SE_ERR_FNF).
    virtual INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                              int showCommand);
    // True while another copy of this program runs (of any folder, in this session). Asked once; the
    // answer stays. The copy that finds none holds the program's name for as long as these services
    // live (the whole run); a copy told that another runs keeps no hold on it, so that the name goes
    // with the last running copy even while a refused copy still shows its message.
    virtual bool PreviousInstanceRunning();
    // The printer object of the program (the default printer).
    virtual Printer& DefaultPrinter();
    // Whether the user has turned high contrast on (SPI_GETHIGHCONTRAST). Asked at each painting, so a
    // change shows at the next one; pages repaint when Windows announces the change.
    virtual bool HighContrast();
    // The decimal separator of the user's locale as it is set, which may be empty.
    virtual std::string DecimalSeparator();
    // The window under the mouse pointer now (none when Windows cannot tell where the pointer is).
    virtual HWND WindowUnderPointer();

private:
    HANDLE instanceName_ = nullptr;  // the named object held while this copy runs
    bool instanceAsked_ = false;
    bool previousInstance_ = false;
};

// The services in force: the real ones, or the replacement a test installed.
SystemServices& System();

// Installs a replacement for its lifetime.
class SystemOverride {
public:
    explicit SystemOverride(SystemServices& replacement);
    ~SystemOverride();
    SystemOverride(const SystemOverride&) = delete;
    SystemOverride& operator=(const SystemOverride&) = delete;

private:
    SystemServices* previous_;
};

}  // namespace platform
