#include "support/button_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "support/test_page.h"

namespace testing_support {
namespace {

UINT ScanCode(WPARAM key) {
    return MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
}

}  // namespace

ButtonRecorder::ButtonRecorder(button::TamrixButton& button) {
    auto& e = button.events;
    auto mouse = [this](const char* event) {
        return [this, event](std::int16_t& b, std::int16_t& s, float& x, float& y) {
            char line[96];
            std::snprintf(line, sizeof line, "%s %d %d %g %g", event, b, s, static_cast<double>(x),
                          static_cast<double>(y));
            lines_.push_back(line);
        };
    };
    auto key = [this](const char* event) {
        return [this, event](std::int16_t& k, std::int16_t& s) {
            lines_.push_back(std::string(event) + " " + std::to_string(k) + " " + std::to_string(s));
        };
    };
    e.MouseDown = mouse("MouseDown");
    e.MouseMove = mouse("MouseMove");
    e.MouseUp = mouse("MouseUp");
    e.KeyDown = key("KeyDown");
    e.KeyUp = key("KeyUp");
    e.KeyPress = [this](std::int16_t& k) { lines_.push_back("KeyPress " + std::to_string(k)); };
    e.Click = [this] { lines_.push_back("Click"); };
    e.MouseOver = [this] { lines_.push_back("MouseOver"); };
    e.MouseIn = [this] { lines_.push_back("MouseIn"); };
    e.MouseOut = [this] { lines_.push_back("MouseOut"); };
    button.onRenderRequest = [this, &button](std::uint8_t state, bool force) {
        std::string line = "look " + std::to_string(state);
        if (force) line += " forced";
        if (button.fields().PointerOver) line += " hover";
        lines_.push_back(line);
    };
}

std::vector<std::string> ButtonRecorder::Take() {
    return std::exchange(lines_, {});
}

int ButtonRecorder::Count(const std::string& line) const {
    return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    return at;
}

void PlacePointer(POINT screen) {
    // Wine reports the jump back as mouse messages of its own, some late and naming an earlier place.
    // They are thrown away (tests send the moves they mean); a pointer that does not arrive is nudged and
    // sent again, and it counts as placed once it has been reported at its new place for a while.
    constexpr DWORD kSettle = 150;
    constexpr DWORD kRetry = 400;
    SetCursorPos(screen.x, screen.y);
    DWORD start = GetTickCount();
    DWORD sent = start;
    DWORD placedSince = 0;
    bool placed = false;
    while (GetTickCount() - start < 5000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
        POINT now{};
        GetCursorPos(&now);
        DWORD time = GetTickCount();
        if (now.x != screen.x || now.y != screen.y) {
            placed = false;
            if (time - sent > kRetry) {
                SetCursorPos(screen.x + 1, screen.y);
                SetCursorPos(screen.x, screen.y);
                sent = time;
            }
        } else if (!placed) {
            placed = true;
            placedSince = time;
        } else if (time - placedSince >= kSettle) {
            return;
        }
        Sleep(1);
    }
    ADD_FAILURE() << "the pointer did not settle at " << screen.x << ", " << screen.y;
}

void PointerTo(platform::Application& app, POINT screen) {
    PlacePointer(screen);
    Pump(app);
}

void PointerAway(platform::Application& app) {
    PointerTo(app, POINT{2, 2});
}

void SendMouse(HWND window, UINT message, WPARAM held, int x, int y) {
    SendMessageA(window, message, held, MAKELPARAM(x, y));
}

void MoveOver(HWND window, WPARAM held, int x, int y) {
    // Nothing runs in between: a timer tick must not find the pointer in its new place before the move.
    PlacePointer(ScreenPoint(window, x, y));
    SendMouse(window, WM_MOUSEMOVE, held, x, y);
}

void PostKeyDown(HWND window, WPARAM key, bool repeat) {
    LPARAM flags = 1 | (static_cast<LPARAM>(ScanCode(key)) << 16) | (repeat ? (1L << 30) : 0);
    PostMessageA(window, WM_KEYDOWN, key, flags);
}

void PostKeyUp(HWND window, WPARAM key) {
    LPARAM flags = 1 | (static_cast<LPARAM>(ScanCode(key)) << 16) | (1L << 30) | (1UL << 31);
    PostMessageA(window, WM_KEYUP, key, flags);
}

}  // namespace testing_support
