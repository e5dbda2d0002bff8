// Hover tracking with the real pointer: the hover look begins with a move over the button and ends at
// the first timer tick that finds another window under the pointer.
#include "input_fixture.h"

namespace {

using testing_support::PointerTo;
using testing_support::ScreenPoint;

TEST_F(ButtonInput, EnteringBeginsTheHoverLookAndLeavingEndsItAtTheNextTick) {
    EXPECT_FALSE(button_->TimerEnabled()) << "no polling while no button is hovered";
    MoveOver(0, 10, 5);
    EXPECT_EQ(Take(), Lines({"MouseMove 0 0 10 5", "MouseIn", "look 0 forced hover", "MouseOver"}));
    EXPECT_TRUE(button_->TimerEnabled());
    MoveOver(0, 40, 20);
    EXPECT_EQ(Take(), Lines({"MouseMove 0 0 40 20"}));

    PointerTo(app_, ScreenPoint(window_, 150, 20));
    ASSERT_TRUE(WaitForTimerToStop());
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));
    EXPECT_FALSE(button_->fields().PointerOver);
}

TEST_F(ButtonInput, TheFirstTickAfterThePointerLeftEndsTheHoverWhateverPositionTheTickCarries) {
    Hover(50, 15);
    // The pointer jumps away and a tick comes before any message has reported the jump: the position
    // the tick carries still lies over the button, where Windows no longer sees the pointer.
    POINT away = ScreenPoint(window_, 150, 20);
    SetCursorPos(away.x, away.y);
    SendMessageA(window_, WM_TIMER, platform::UserControl::kTimerId, 0);
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));
    EXPECT_FALSE(button_->TimerEnabled());
}

TEST_F(ButtonInput, ACutCornerIsOutsideTheButtonAndEndsTheHover) {
    // The shaded style cuts away its top-right and bottom-left pixels.
    const std::tuple<int, int, bool> probes[] = {{kWidth - 1, 0, false},
                                                 {0, kHeight - 1, false},
                                                 {kWidth - 2, 0, true},
                                                 {kWidth - 1, kHeight - 1, true}};
    for (auto [x, y, over] : probes) {
        PointerTo(app_, ScreenPoint(window_, x, y));
        EXPECT_EQ(button_->PointerIsOver(), over) << x << ", " << y;
    }
    Hover(50, 15);
    PointerTo(app_, ScreenPoint(window_, kWidth - 1, 0));
    ASSERT_TRUE(WaitForTimerToStop());
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));
}

}  // namespace
