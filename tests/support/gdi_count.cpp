#include "support/gdi_count.h"

#include <cstdint>

#include "platform/win32/win.h"

#include <psapi.h>

namespace testing_support {
namespace {

// One entry of the GDI handle table; a non-zero type marks a live object.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kGdiTableEntries = 65536;
constexpr std::size_t kPebGdiTableOffset = 0xF8;  // x64

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(window, CountChild, counter);
    return TRUE;
}

}  // namespace

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
    auto* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
    // TEB+0x60 holds the PEB on x64.
    auto* peb = *reinterpret_cast<const unsigned char* const*>(teb + 0x60);
    auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
    if (!table) return -1;
    int count = 0;
    for (std::size_t i = 0; i < kGdiTableEntries; ++i)
        if (table[i].type != 0) ++count;
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
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) return 0;
    return memory.PagefileUsage;
}

ResourceCounts ResourceCounts::Now() {
    return {GdiObjectCount(), ThreadWindowCount(), PrivateBytes()};
}

std::string ResourceCounts::GrowthSince(const ResourceCounts& before) const {
    std::string growth;
    auto note = [&growth](const char* what, std::size_t was, std::size_t now) {
        if (now <= was) return;
        if (!growth.empty()) growth += ", ";
        growth += std::string(what) + " " + std::to_string(was) + " -> " + std::to_string(now);
    };
    note("GDI objects", static_cast<std::size_t>(before.gdiObjects), static_cast<std::size_t>(gdiObjects));
    note("windows", static_cast<std::size_t>(before.windows), static_cast<std::size_t>(windows));
    note("private bytes", before.privateBytes, privateBytes);
    return growth;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace testing_support
