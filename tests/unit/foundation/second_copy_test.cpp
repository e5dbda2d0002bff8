// A real second catalog.exe, started while one runs, shows its refusal and ends without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/resources.h"
#include "platform/win.h"

namespace {

struct WindowQuery {
    DWORD processId;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM data) {
    auto* query = reinterpret_cast<WindowQuery*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == query->processId && (query->className.empty() || query->className == name))
        query->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD processId, const std::string& className = "") {
    WindowQuery query{processId, className, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForWindow(DWORD processId, const std::string& className, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        for (HWND window : WindowsOf(processId, className))
            if (IsWindowVisible(window)) return window;
        Sleep(50);
    }
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

BOOL CALLBACK CollectStaticText(HWND window, LPARAM data) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpiA(name, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(data) = text;
    return TRUE;
}

}  // namespace

TEST(SecondCopy, IsRefusedWhileTheFirstRunsOn) {
    std::string exe = platform::ApplicationFolder() + "\\..\\catalog.exe";
    ASSERT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe;

    PROCESS_INFORMATION first = Start(exe);
    ASSERT_NE(WaitForWindow(first.dwProcessId, "Catalog.Page", 20000), nullptr) << "the first copy shows no page";

    PROCESS_INFORMATION second = Start(exe);
    HWND box = WaitForWindow(second.dwProcessId, "#32770", 20000);
    ASSERT_NE(box, nullptr) << "the second copy shows no refusal";
    char title[128] = {};
    GetWindowTextA(box, title, sizeof title);
    EXPECT_STREQ(title, "Terminating...");
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, "Catalog is already loaded\r\nand running on your computer!");
    EXPECT_TRUE(WindowsOf(second.dwProcessId, "Catalog.Page").empty());

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0) << "the second copy did not end";
    DWORD exitCode = 1;
    GetExitCodeProcess(second.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    // The first copy is still there.
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(WindowsOf(first.dwProcessId, "Catalog.Page").empty());

    TerminateProcess(first.hProcess, 0);
    WaitForSingleObject(first.hProcess, 10000);
    for (HANDLE h : {first.hProcess, first.hThread, second.hProcess, second.hThread}) CloseHandle(h);
}
