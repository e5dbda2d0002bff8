#include "first_frame_report.h"

#include <cstdio>

#include <windows.h>

#include <psapi.h>

namespace bench {
namespace {

unsigned long long FileTimeTicks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

void ReportFirstFrame() {
    static bool reported = false;
    if (reported) return;
    reported = true;
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA("CATALOG_FIRST_PAINT_REPORT", path, sizeof path) == 0) return;

    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    double elapsedMs = static_cast<double>(FileTimeTicks(now) - FileTimeTicks(created)) / 10000.0;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "first_paint_ms %.3f\npeak_working_set %llu\n", elapsedMs,
                     static_cast<unsigned long long>(memory.PeakWorkingSetSize));
        std::fclose(file);
    }
    char exitAfter[8] = {};
    if (GetEnvironmentVariableA("CATALOG_FIRST_PAINT_EXIT", exitAfter, sizeof exitAfter) &&
        exitAfter[0] == '1')
        ExitProcess(0);
}

}  // namespace bench
