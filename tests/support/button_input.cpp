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

// Wine keeps the pointer twice: where it is shown, which SetCursorPos moves, and where mouse input came
// from last, which it goes back to when a window lets go of the mouse. An absolute move of the input,
// once the late reports of the jump are through, puts the second in the same place.
void MoveInputTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (screen.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

ButtonRecorder::ButtonRecorder(button::TamrixButton& button, bool watchSurface) {
    if (watchSurface) surface_.emplace(button);
    auto& e = button.events;
    auto mouse = [this](const char* event) {
        return [this, event](std::int16_t& b, std::int16_t& s, float& x, float& y) {
            char line[96];
            std::snprintf(line, sizeof line, "%s %d %d %g %g", event, b, s, static_cast<double>(x),
                          static_cast<double>(y));
            Add(line);
        };
    };
    auto key = [this](const char* event) {
        return [this, event](std::int16_t& k, std::int16_t& s) {
            Add(std::string(event) + " " + std::to_string(k) + " " + std::to_string(s));
        };
    };
    auto plain = [this](const char* event) { return [this, event] { Add(event); }; };
    e.MouseDown = mouse("MouseDown");
    e.MouseMove = mouse("MouseMove");
    e.MouseUp = mouse("MouseUp");
    e.KeyDown = key("KeyDown");
    e.KeyUp = key("KeyUp");
    e.KeyPress = [this](std::int16_t& k) { Add("KeyPress " + std::to_string(k)); };
    e.Click = [this, &button] {
        Add(button.CheckBoxBehaviour() ? button.Value() ? "Click (Value on)" : "Click (Value off)" : "Click");
    };
    e.MouseOver = plain("MouseOver");
    e.MouseIn = plain("MouseIn");
    e.MouseOut = plain("MouseOut");
}

void ButtonRecorder::Add(const std::string& line) {
    NoteLook();
    lines_.push_back(line);
}

std::vector<std::string> ButtonRecorder::Take() {
    NoteLook();
    return std::exchange(lines_, {});
}

int ButtonRecorder::Count(const std::string& line) const {
    return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
}

void ButtonRecorder::NoteLook() {
    if (!surface_ || !surface_->Painted()) return;
    lines_.push_back(surface_->Look());
    surface_->Mark();
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    return at;
}

void PlacePointer(POINT screen) {
    // Wine reports the jump back as mouse messages of its own, some late and naming an earlier place.
    // They are thrown away (tests send the moves they mean); a pointer that does not arrive is nudged and
    // sent again, and it counts as placed once it has been reported at its new place for a while, and
    // then again after its input has been moved there too.
    constexpr DWORD kSettle = 150;
    constexpr DWORD kRetry = 400;
    SetCursorPos(screen.x, screen.y);
    DWORD start = GetTickCount();
    DWORD sent = start;
    DWORD placedSince = 0;
    bool placed = false;
    bool inputMoved = false;
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
            if (inputMoved) return;
            MoveInputTo(screen);
            inputMoved = true;
            placed = false;
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
