// A real second catalog.exe, started while one runs, shows its refusal and ends without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resources.h"
#include "platform/win.h"

namespace {

// The windows of a process, of one class (any when empty).
std::vector<HWND> WindowsOf(DWORD processId, const std::string& className = "") {
    struct Query {
        DWORD processId;
        std::string className;
        std::vector<HWND> found;
    } query{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* q = reinterpret_cast<Query*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (pid == q->processId && (q->className.empty() || q->className == name)) q->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForWindow(DWORD processId, const std::string& className) {
    for (int waited = 0; waited < 20000; waited += 50, Sleep(50))
        for (HWND window : WindowsOf(processId, className))
            if (IsWindowVisible(window)) return window;
    return nullptr;
}

PROCESS_INFORMATION Start(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        ADD_FAILURE() << "could not start " << exe;
    return process;
}

}  // namespace

TEST(SecondCopy, IsRefusedWhileTheFirstRunsOn) {
    std::string exe = platform::ApplicationFolder() + "\\..\\catalog.exe";
    ASSERT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe;
    PROCESS_INFORMATION first = Start(exe);
    ASSERT_NE(WaitForWindow(first.dwProcessId, "Catalog.Page"), nullptr) << "the first copy shows no page";

    PROCESS_INFORMATION second = Start(exe);
    HWND box = WaitForWindow(second.dwProcessId, "#32770");
    ASSERT_NE(box, nullptr) << "the second copy shows no refusal";
    char title[128] = {};
    GetWindowTextA(box, title, sizeof title);
    EXPECT_STREQ(title, "Terminating...");
    std::string text;
    EnumChildWindows(
        box,
        [](HWND window, LPARAM data) -> BOOL {
            char name[32] = {}, caption[512] = {};
            GetClassNameA(window, name, sizeof name);
            GetWindowTextA(window, caption, sizeof caption);
            if (lstrcmpiA(name, "Static") == 0 && caption[0]) *reinterpret_cast<std::string*>(data) = caption;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, "Catalog is already loaded\r\nand running on your computer!");
    EXPECT_TRUE(WindowsOf(second.dwProcessId, "Catalog.Page").empty());

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0) << "the second copy did not end";
    DWORD exitCode = 1;
    GetExitCodeProcess(second.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    // The first copy is still there.
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    TerminateProcess(first.hProcess, 0);
    WaitForSingleObject(first.hProcess, 10000);
    for (HANDLE h : {first.hProcess, first.hThread, second.hProcess, second.hThread}) CloseHandle(h);
}
