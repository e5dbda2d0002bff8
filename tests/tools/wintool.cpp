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
// The commands about one window take the first visible one titled TITLE.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Text(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The last static text of a message box.
BOOL CALLBACK FindStatic(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && !Text(window).empty())
        *reinterpret_cast<std::string*>(found) = Text(window);
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM) {
    std::string text = Text(window), line;
    for (char c : text)
        if (c != '\r') line += c == '\n' ? '/' : c;
    if (IsWindowVisible(window) && !text.empty()) std::printf("%s\n", line.c_str());
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    _setmode(_fileno(stdout), _O_BINARY);  // texts come out byte for byte, CR LF included
    const std::string command = argv[1];
    std::vector<HWND> windows;  // the visible top-level windows titled TITLE
    for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, argv[2]); w;
         w = FindWindowExA(nullptr, w, nullptr, argv[2]))
        if (IsWindowVisible(w)) windows.push_back(w);
    HWND window = windows.empty() ? nullptr : windows.front();
    RECT r{};
    POINT origin{0, 0};
    std::string text;
    if (command == "text" && window) EnumChildWindows(window, FindStatic, reinterpret_cast<LPARAM>(&text));
    if (command == "count") std::printf("%d\n", static_cast<int>(windows.size()));
    else if (command == "close")
        for (HWND w : windows) PostMessageA(w, WM_CLOSE, 0, 0);
    else if (command == "exists" || !window) return window ? 0 : 1;
    else if (command == "active") return GetForegroundWindow() == window ? 0 : 1;
    else if (command == "client" && GetClientRect(window, &r) && ClientToScreen(window, &origin))
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    else if (command == "window" && GetWindowRect(window, &r))
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    else if (command == "children") EnumChildWindows(window, PrintChild, 0);
    else if (command == "text") std::fwrite(text.data(), 1, text.size(), stdout);
    else return 2;
    return 0;
}
