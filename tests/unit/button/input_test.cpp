// The button under the mouse and the keyboard, row by row: what the user (or the page) does, and what
// the button raises and paints in return, in order. Each row starts with a fresh focused button, the
// pointer away from it. Looks are named as the recorder names them (support/button_input.h).
#include "input_fixture.h"

namespace {

using testing_support::PostKeyDown;
using testing_support::PostKeyUp;
using testing_support::Pump;

TEST_F(ButtonInput, EachInputRaisesItsEventsAndPaintsItsLooksInOrder) {
    auto key = [&](WPARAM code, bool down, bool repeat = false) {
        down ? PostKeyDown(window_, code, repeat) : PostKeyUp(window_, code);
        Pump(app_);  // the key's character is posted while its key down is handled
    };
    auto space = [&] { key(VK_SPACE, true), key(VK_SPACE, false); };
    auto leave = [&] {
        testing_support::PointerTo(app_, testing_support::ScreenPoint(window_, 150, 20));
        EXPECT_TRUE(WaitForTimerToStop());
    };
    // Page handlers that change the arguments they are given.
    auto mouseButton2 = [&] {
        auto& handler = button_->events.MouseDown;
        handler = [heard = handler](std::int16_t& b, std::int16_t& s, float& x, float& y) {
            heard(b, s, x, y), b = 2;
        };
    };
    auto keyCode0 = [&](bool onKeyUp) {
        auto& handler = onKeyUp ? button_->events.KeyUp : button_->events.KeyDown;
        handler = [heard = handler](std::int16_t& k, std::int16_t& s) { heard(k, s), k = 0; };
    };
    const std::tuple<const char*, std::function<void()>, std::string> rows[] = {
        {"left press and release", [&] { Click(); }, "MouseDown 1 0 10 5, down, MouseUp 1 0 10 5, up, Click"},
        {"right press and release: nothing painted, no click",
         [&] { Send(WM_RBUTTONDOWN), Send(WM_RBUTTONUP); }, "MouseDown 2 0 10 5, MouseUp 2 0 10 5"},
        {"middle press and release: no click", [&] { Send(WM_MBUTTONDOWN), Send(WM_MBUTTONUP); },
         "MouseDown 4 0 10 5, down, MouseUp 4 0 10 5, up"},
        {"a MouseDown handler that sets Button to 2", [&] { mouseButton2(), Click(); },
         "MouseDown 1 0 10 5, MouseUp 1 0 10 5"},
        {"Space", space, "KeyDown 32 0, down, KeyPress 32, KeyUp 32 0, up, Click"},
        {"a KeyDown handler that sets KeyCode to 0", [&] { keyCode0(false), space(); },
         "KeyDown 32 0, KeyPress 32, KeyUp 32 0"},
        {"a KeyUp handler that sets KeyCode to 0: the down look stays", [&] { keyCode0(true), space(); },
         "KeyDown 32 0, down, KeyPress 32, KeyUp 32 0"},
        {"Space, another key, Space released: the down look stays",
         [&] { key(VK_SPACE, true), key('A', true), key(VK_SPACE, false), key('A', false); },
         "KeyDown 32 0, down, KeyPress 32, KeyDown 65 0, KeyPress 97, KeyUp 32 0, KeyUp 65 0"},
        {"Space held: the key repeats, one down look, one click",
         [&] {
             key(VK_SPACE, true), key(VK_SPACE, true, true), key(VK_SPACE, true, true), key(VK_SPACE, false);
         },
         "KeyDown 32 0, down, KeyPress 32, KeyDown 32 0, KeyPress 32, KeyDown 32 0, KeyPress 32, "
         "KeyUp 32 0, up, Click"},
        {"a double click: one click; the second press is a press at the corner",
         [&] {
             Click();
             Send(WM_LBUTTONDBLCLK, MK_LBUTTON);
             EXPECT_EQ(GetCapture(), window_) << "the second release must come back to the button";
             Send(WM_LBUTTONUP);
         },
         "MouseDown 1 0 10 5, down, MouseUp 1 0 10 5, up, Click, "
         "MouseDown 1 0 0 0, down, MouseUp 1 0 10 5, up"},
        {"the pointer comes over the button and moves on it",
         [&] { MoveOver(0, 10, 5), MoveOver(0, 40, 20); },
         "MouseMove 0 0 10 5, MouseIn, hover, MouseOver, MouseMove 0 0 40 20"},
        {"a click without a move keeps the hover look, and the next move is no new hover",
         [&] { Hover(), Click(), MoveOver(0, 12, 5); },
         "MouseDown 1 0 10 5, down, MouseUp 1 0 10 5, hover, Click, MouseMove 0 0 12 5"},
        {"a move during a press ends the hover look, and the next move begins it again",
         [&] {
             Hover(), Send(WM_LBUTTONDOWN), MoveOver(MK_LBUTTON, 12, 5), Send(WM_LBUTTONUP, 0, 12, 5);
             MoveOver(0, 14, 5);
         },
         "MouseDown 1 0 10 5, down, MouseMove 1 0 12 5, MouseUp 1 0 12 5, up, Click, "
         "MouseMove 0 0 14 5, hover, MouseOver"},
        {"dragged out and back while the timer is stopped, and released outside",
         [&] {
             Send(WM_LBUTTONDOWN), MoveOver(MK_LBUTTON, 150, 20), MoveOver(MK_LBUTTON, 10, 5);
             MoveOver(MK_LBUTTON, 150, 20), Send(WM_LBUTTONUP, 0, 150, 20);
         },
         "MouseDown 1 0 10 5, down, MouseMove 1 0 150 20, up, MouseMove 1 0 10 5, MouseIn, down, "
         "MouseMove 1 0 150 20, up, MouseUp 1 0 150 20"},
        {"moves with the right, the middle or two buttons held",
         [&] {
             MoveOver(MK_RBUTTON, 10, 5), MoveOver(MK_MBUTTON, 11, 5);
             MoveOver(MK_LBUTTON | MK_RBUTTON, 12, 5);
         },
         "MouseMove 2 0 10 5, MouseMove 4 0 11 5, MouseMove 3 0 12 5"},
        {"a check button's value turns before Click, by mouse, Space and access key",
         [&] { button_->SetCheckBoxBehaviour(true), Take(), Click(), space(), button_->OnAccessKey(); },
         "MouseDown 1 0 10 5, down, MouseUp 1 0 10 5, down, Click (Value on), "
         "KeyDown 32 0, KeyPress 32, KeyUp 32 0, up, Click (Value off), down, Click (Value on)"},
        {"the access key of a disabled button",
         [&] { button_->SetEnabled(false), Take(), button_->OnAccessKey(); }, ""},
        {"the timer still ends the hover look of a button disabled meanwhile",
         [&] { Hover(), button_->SetEnabled(false), recorder_->NameLook("disabled"), Take(), leave(); },
         "disabled, MouseOut"},
        {"focus leaves and comes back", [&] { SetFocus(nullptr), recorder_->NoteLook(), SetFocus(window_); },
         "up (no focus), up"},
        {"state 1 is the face alone", [&] { button_->RenderButton(1, true); }, "face"},
        {"a request for the look shown paints only when forced",
         [&] {
             for (bool force : {false, true}) {
                 button_->RenderButton(button::kStateDown, false), recorder_->NoteLook();
                 button_->RenderButton(button::kStateDown, force), recorder_->NoteLook();
             }
         },
         "down, down"},
        {"hidden (it loses the focus first), the button paints nothing until it is shown again",
         [&] {
             button_->SetVisible(false), button_->RenderButton(button::kStateDown, true), Click();
             recorder_->NoteLook(), button_->SetVisible(true);
         },
         "up (no focus), MouseDown 1 0 10 5, MouseUp 1 0 10 5, up"},
    };
    for (const auto& [row, script, expected] : rows) {
        SCOPED_TRACE(row);
        Start();
        script();
        Pump(app_);
        std::string seen;
        for (const std::string& line : Take()) seen += (seen.empty() ? "" : ", ") + line;
        EXPECT_EQ(seen, expected);
    }
}

}  // namespace
