// Looks at the program's windows from outside for the end-to-end tests:
//   wintool client TITLE        prints "x y width height" of the client area, in screen pixels
//   wintool window TITLE        prints "x y width height" of the whole window (frame and title bar)
//   wintool text TITLE          prints the text of a message box titled TITLE (its static text)
//   wintool exists TITLE        exit code 0 when a visible window titled TITLE exists
//   wintool active TITLE        exit code 0 when the window titled TITLE is the active (foreground) one
//   wintool count TITLE         prints how many visible top-level windows are titled TITLE
//   wintool close TITLE         asks every visible window titled TITLE to close (a message box: its OK)
//   wintool children TITLE      prints the texts of the window's visible children, one a line, line
//                               breaks within a text shown as "/"
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND FindVisible(const char* title) {
    HWND found = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, title); w;
         w = FindWindowExA(nullptr, w, nullptr, title)) {
        if (IsWindowVisible(w)) {
            found = w;
            break;
        }
    }
    return found;
}

BOOL CALLBACK FindStatic(HWND window, LPARAM data) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpiA(name, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(data) = text;
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM) {
    char text[512] = {};
    if (!IsWindowVisible(window) || !GetWindowTextA(window, text, sizeof text)) return TRUE;
    std::string line;
    for (const char* c = text; *c; ++c) {
        if (*c == '\r') continue;
        line += *c == '\n' ? '/' : *c;
    }
    std::printf("%s\n", line.c_str());
    return TRUE;
}

void PrintRect(HWND window, bool client) {
    RECT r{};
    if (client) {
        GetClientRect(window, &r);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    } else {
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

// Visible top-level windows titled `title`, each in turn.
template <typename Each>
int ForEachVisible(const char* title, Each each) {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, title); w;
         w = FindWindowExA(nullptr, w, nullptr, title)) {
        if (!IsWindowVisible(w)) continue;
        ++count;
        each(w);
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    _setmode(_fileno(stdout), _O_BINARY);  // texts come out byte for byte, CR LF included
    std::string command = argv[1];
    if (command == "count") {
        std::printf("%d\n", ForEachVisible(argv[2], [](HWND) {}));
        return 0;
    }
    if (command == "close") {
        ForEachVisible(argv[2], [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); });
        return 0;
    }
    HWND window = FindVisible(argv[2]);
    if (command == "exists") return window ? 0 : 1;
    if (command == "active") return window && GetForegroundWindow() == window ? 0 : 1;
    if (!window) return 1;
    if (command == "client") {
        PrintRect(window, true);
        return 0;
    }
    if (command == "window") {
        PrintRect(window, false);
        return 0;
    }
    if (command == "children") {
        EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (command == "text") {
        std::string text;
        EnumChildWindows(window, FindStatic, reinterpret_cast<LPARAM>(&text));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    return 2;
}
