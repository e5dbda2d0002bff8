#include "support/gdi_count.h"

#include <cstdint>

#include "platform/win32/win.h"

#include <psapi.h>

namespace testing_support {

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"  // GCC misreads the segment-register read in NtCurrentTeb
#endif
int GdiObjectCount() {
    if (!RunningUnderWine()) return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    // The PEB is at TEB+0x60 on x64, the GDI handle table at PEB+0xF8: 65,536 entries of 24 bytes, whose
    // type byte (at 14) is not zero for a live object.
    auto* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
    auto* peb = *reinterpret_cast<const unsigned char* const*>(teb + 0x60);
    auto* table = *reinterpret_cast<const unsigned char* const*>(peb + 0xF8);
    if (!table) return -1;
    int count = 0;
    for (std::size_t i = 0; i < 65536; ++i) count += table[24 * i + 14] != 0;
    return count;
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

std::size_t PrivateBytes() {
    // The commit charge is what Windows counts as a process's private bytes (PrivateUsage gives the same
    // number, but Wine fills in only this one: there it is the resident anonymous memory).
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    return K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory) ? memory.PagefileUsage : 0;
}

ResourceCounts ResourceCounts::Now() {
    return {GdiObjectCount(), ThreadWindowCount(), PrivateBytes()};
}

std::string ResourceCounts::GrowthSince(const ResourceCounts& before) const {
    std::string growth;
    auto note = [&growth](const char* what, std::size_t was, std::size_t now) {
        if (now > was)
            growth += (growth.empty() ? "" : ", ") + std::string(what) + " " + std::to_string(was) + " -> " +
                      std::to_string(now);
    };
    note("GDI objects", static_cast<std::size_t>(before.gdiObjects), static_cast<std::size_t>(gdiObjects));
    note("windows", static_cast<std::size_t>(before.windows), static_cast<std::size_t>(windows));
    note("private bytes", before.privateBytes, privateBytes);
    return growth;
}

int ThreadWindowCount() {
    int count = 0;
    static constexpr WNDENUMPROC kCount = [](HWND, LPARAM counter) -> BOOL {
        return ++*reinterpret_cast<int*>(counter) > 0;
    };
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            return EnumChildWindows(window, kCount, counter), kCount(window, counter);
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace testing_support
