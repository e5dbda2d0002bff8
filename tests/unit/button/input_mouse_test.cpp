// The button under the mouse: presses and releases of each button, clicks, double clicks, dragging
// out and back in, and page handlers that change the arguments of an event.
#include "input_fixture.h"

namespace {

struct PressCase {
    const char* name;
    UINT down, up;
    Lines expected;
    int paintings;  // how many of the requested looks were actually painted
};

class ButtonPress : public ButtonInput, public ::testing::WithParamInterface<PressCase> {};

TEST_P(ButtonPress, RaisesMouseEventsAndAsksForTheLooksOfThatButton) {
    const PressCase& c = GetParam();
    int painted = button_->PaintCount();
    Send(c.down);
    Send(c.up);
    testing_support::Pump(app_);
    EXPECT_EQ(Take(), c.expected);
    EXPECT_EQ(button_->PaintCount() - painted, c.paintings);
    EXPECT_NE(GetCapture(), window_) << "the mouse is given back once every button is up";
}

INSTANTIATE_TEST_SUITE_P(
    EachMouseButton, ButtonPress,
    ::testing::Values(
        // The right button changes nothing on the screen and never clicks.
        PressCase{"Right", WM_RBUTTONDOWN, WM_RBUTTONUP, {"MouseDown 2 0 10 5", "MouseUp 2 0 10 5"}, 0},
        // The middle button shows the down look and the up look, and never clicks.
        PressCase{
            "Middle", WM_MBUTTONDOWN, WM_MBUTTONUP, {"MouseDown 4 0 10 5", "look 2", "MouseUp 4 0 10 5", "look 0"}, 2},
        // The left button clicks, after the look is brought up to date.
        PressCase{"Left", WM_LBUTTONDOWN, WM_LBUTTONUP,
                  {"MouseDown 1 0 10 5", "look 2", "MouseUp 1 0 10 5", "look 0", "look 0 forced", "Click"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonInput, AMouseDownHandlerThatMakesTheButtonRightSuppressesTheDownLookAndTheClick) {
    button_->events.MouseDown = [record = button_->events.MouseDown](std::int16_t& b, std::int16_t& s, float& x,
                                                                     float& y) {
        record(b, s, x, y);
        b = 2;
    };
    int painted = button_->PaintCount();
    Click();
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "MouseUp 1 0 10 5", "look 0"}));
    EXPECT_EQ(button_->PaintCount(), painted);
}

TEST_F(ButtonInput, ADoubleClickClicksOnceAndTreatsTheSecondPressAsAPressAtTheCorner) {
    Click();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), window_) << "the second release must come back to the button";
    Send(WM_LBUTTONUP);
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "look 2", "MouseUp 1 0 10 5", "look 0", "look 0 forced", "Click",
                             "MouseDown 1 0 0 0", "look 2", "MouseUp 1 0 10 5", "look 0"}));
}

TEST_F(ButtonInput, AClickWithoutMovementKeepsTheHoverLookAndOneWithMovementBeginsItAgain) {
    Hover();
    Click();
    MoveOver(0, 10, 5);
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "look 2 hover", "MouseUp 1 0 10 5", "look 0 hover",
                             "look 0 forced hover", "Click", "MouseMove 0 0 10 5"}));

    // Moving during the press clears the hover flag; the timer runs on through the press, so no MouseIn.
    Send(WM_LBUTTONDOWN);
    MoveOver(MK_LBUTTON, 12, 5);
    EXPECT_FALSE(button_->fields().PointerOver);
    Send(WM_LBUTTONUP, 0, 12, 5);
    MoveOver(0, 13, 5);
    EXPECT_EQ(Take(),
              Lines({"MouseDown 1 0 10 5", "look 2 hover", "MouseMove 1 0 12 5", "look 2 hover", "MouseUp 1 0 12 5",
                     "look 0", "look 0 forced", "Click", "MouseMove 0 0 13 5", "look 0 forced hover", "MouseOver"}));
}

TEST_F(ButtonInput, DraggingOutShowsTheUpLookAndComingBackTheDownLookAndAReleaseOutsideDoesNotClick) {
    Hover();
    Send(WM_LBUTTONDOWN);
    MoveOver(MK_LBUTTON, 150, 5);
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "look 2 hover", "MouseMove 1 0 150 5", "look 0 hover"}));
    ASSERT_TRUE(WaitForTimerToStop());
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));

    // Back in with the button held: MouseIn on every move while the timer is stopped.
    MoveOver(MK_LBUTTON, 20, 5);
    MoveOver(MK_LBUTTON, 21, 5);
    EXPECT_EQ(Take(), Lines({"MouseMove 1 0 20 5", "MouseIn", "look 2 hover", "MouseMove 1 0 21 5", "MouseIn",
                             "look 2 hover"}));
    MoveOver(MK_LBUTTON, 150, 5);
    Send(WM_LBUTTONUP, 0, 150, 5);
    EXPECT_EQ(Take(), Lines({"MouseMove 1 0 150 5", "look 0", "MouseUp 1 0 150 5", "look 0"}));

    // Nor does a release over a window that covers the button.
    HWND cover = Cover(10, 5);
    Click();
    DestroyWindow(cover);
    EXPECT_EQ(recorder_->Count("MouseUp 1 0 10 5"), 1);
    EXPECT_EQ(recorder_->Count("Click"), 0);
}

// A move with the right or middle button held, alone or with the left one, is a move and nothing else.
class MoveWithButtonsHeld : public ButtonInput, public ::testing::WithParamInterface<std::pair<WPARAM, int>> {};

TEST_P(MoveWithButtonsHeld, RaisesMouseMoveAndNothingElse) {
    MoveOver(GetParam().first, 10, 5);
    EXPECT_EQ(Take(), Lines({"MouseMove " + std::to_string(GetParam().second) + " 0 10 5"}));
    EXPECT_FALSE(button_->fields().PointerOver);
    EXPECT_FALSE(button_->TimerEnabled());
}

INSTANTIATE_TEST_SUITE_P(RightMiddleOrTwo, MoveWithButtonsHeld,
                         ::testing::Values(std::pair<WPARAM, int>{MK_RBUTTON, 2}, std::pair<WPARAM, int>{MK_MBUTTON, 4},
                                           std::pair<WPARAM, int>{MK_LBUTTON | MK_RBUTTON, 3},
                                           std::pair<WPARAM, int>{MK_LBUTTON | MK_MBUTTON, 5}));

TEST_F(ButtonInput, TheMouseStaysWithTheButtonUntilTheLastButtonIsReleased) {
    Send(WM_LBUTTONDOWN);
    Send(WM_RBUTTONDOWN, MK_LBUTTON);
    Send(WM_RBUTTONUP, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), window_);
    Send(WM_LBUTTONUP);
    EXPECT_NE(GetCapture(), window_);
    // The right press came last, so the left release is no click.
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "look 2", "MouseDown 2 0 10 5", "MouseUp 2 0 10 5",
                             "MouseUp 1 0 10 5", "look 0"}));

    // A move reported while the pointer is elsewhere asks for the up look only.
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(Take(), Lines({"MouseMove 0 0 10 5", "look 0"}));
    EXPECT_FALSE(button_->TimerEnabled());
}

}  // namespace
