#include "platform/system/system.h"

#include <memory>

#include <shellapi.h>

#include "platform/printing/gdi_printer.h"
#include "platform/win32/late_bound.h"

namespace platform {
namespace {

// The longest address handed to the shell. Wine's shell overruns a buffer on addresses of about a
// thousand characters and brings the program down with it; the catalog's own addresses are a tenth of
// this, and anything longer is refused as a file that cannot be found.
constexpr std::size_t kLongestShellAddress = 900;

// The name is the program's, not its folder's: a copy started from anywhere in the session sees it.
constexpr const char* kInstanceMutexName = "Local\\TamrixSoftware.Catalog.SingleInstance";

SystemServices& RealServices() {
    static SystemServices real;
    return real;
}

SystemServices* g_current = nullptr;

}  // namespace

SystemServices::~SystemServices() {
    if (instanceName_) CloseHandle(instanceName_);
}

int SystemServices::ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style) {
    if (!owner) style |= MB_TASKMODAL;
    return MessageBoxA(owner, text.c_str(), title.c_str(), style | MB_SETFOREGROUND);
}

INT_PTR SystemServices::ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                                  int showCommand) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const auto shellExecute = LateBoundFunction<ShellExecuteFunction>("shell32.dll", "ShellExecuteA");
    if (!shellExecute) return SE_ERR_NOASSOC;
    if (file.size() > kLongestShellAddress || directory.size() >= MAX_PATH) return SE_ERR_FNF;
    HINSTANCE result = shellExecute(owner, nullptr, file.c_str(), nullptr,
                                    directory.empty() ? nullptr : directory.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result);
}

bool SystemServices::PreviousInstanceRunning() {
    if (instanceAsked_) return previousInstance_;
    instanceAsked_ = true;
    // Creating the named object is atomic, so of copies started at the same moment exactly one finds it
    // new, and it holds it while it runs; Windows lets it go when that copy ends, however it ends.
    HANDLE name = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    previousInstance_ = name && GetLastError() == ERROR_ALREADY_EXISTS;
    if (previousInstance_) CloseHandle(name);  // before any refusal is shown: a refused copy holds nothing
    else instanceName_ = name;
    return previousInstance_;
}

Printer& SystemServices::DefaultPrinter() {
    static GdiPrinter printer;
    return printer;
}

bool SystemServices::HighContrast() {
    HIGHCONTRASTA setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::string SystemServices::DecimalSeparator() {
    char separator[8] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) ? separator : "";
}

HWND SystemServices::WindowUnderPointer() {
    POINT at{};
    if (!GetCursorPos(&at)) return nullptr;
    return WindowFromPoint(at);
}

SystemServices& System() {
    return g_current ? *g_current : RealServices();
}

SystemOverride::SystemOverride(SystemServices& replacement) : previous_(g_current) {
    g_current = &replacement;
}

SystemOverride::~SystemOverride() {
    g_current = previous_;
}

}  // namespace platform
