#include "platform/printing/spooler.h"

#include <vector>

#include "platform/win32/late_bound.h"

namespace platform {

std::string WindowsSpooler::DefaultPrinterName() {
    using GetDefaultPrinterFunction = BOOL(WINAPI*)(LPSTR, LPDWORD);
    static const auto getDefaultPrinter =
        LateBoundFunction<GetDefaultPrinterFunction>("winspool.drv", "GetDefaultPrinterA");
    if (!getDefaultPrinter) return {};
    DWORD size = 0;
    getDefaultPrinter(nullptr, &size);
    if (size == 0) return {};
    std::vector<char> name(size);
    if (!getDefaultPrinter(name.data(), &size)) return {};
    return std::string(name.data());
}

HDC WindowsSpooler::CreatePrinterDC(const std::string& name) {
    return CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
}

int WindowsSpooler::StartDoc(HDC dc, const char* documentName) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = documentName;
    return ::StartDocA(dc, &info);
}

int WindowsSpooler::StartPage(HDC dc) {
    return ::StartPage(dc);
}

int WindowsSpooler::EndPage(HDC dc) {
    return ::EndPage(dc);
}

int WindowsSpooler::EndDoc(HDC dc) {
    return ::EndDoc(dc);
}

int WindowsSpooler::AbortDoc(HDC dc) {
    return ::AbortDoc(dc);
}

}  // namespace platform
