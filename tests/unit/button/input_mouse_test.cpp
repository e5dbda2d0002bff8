// The button under the mouse: presses and releases of each button, clicks and double clicks.
#include "input_fixture.h"

namespace {

TEST_F(ButtonInput, EachMouseButtonRaisesItsEventsAndOnlyTheLeftOneClicks) {
    const std::tuple<UINT, UINT, Lines> cases[] = {
        // The right button changes nothing on the screen and never clicks.
        {WM_RBUTTONDOWN, WM_RBUTTONUP, {"MouseDown 2 0 10 5", "MouseUp 2 0 10 5"}},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, {"MouseDown 4 0 10 5", "look 2", "MouseUp 4 0 10 5", "look 0"}},
        // The left button clicks, after the look is brought up to date.
        {WM_LBUTTONDOWN,
         WM_LBUTTONUP,
         {"MouseDown 1 0 10 5", "look 2", "MouseUp 1 0 10 5", "look 0", "look 0 forced", "Click"}}};
    for (const auto& [down, up, expected] : cases) {
        Send(down);
        Send(up);
        testing_support::Pump(app_);
        EXPECT_EQ(Take(), expected) << std::hex << down;
        EXPECT_NE(GetCapture(), window_) << "the mouse is given back once every button is up";
    }
}

TEST_F(ButtonInput, ADoubleClickClicksOnceAndTreatsTheSecondPressAsAPressAtTheCorner) {
    Click();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), window_) << "the second release must come back to the button";
    Send(WM_LBUTTONUP);
    EXPECT_EQ(Take(), Lines({"MouseDown 1 0 10 5", "look 2", "MouseUp 1 0 10 5", "look 0", "look 0 forced",
                             "Click", "MouseDown 1 0 0 0", "look 2", "MouseUp 1 0 10 5", "look 0"}));
}

}  // namespace
