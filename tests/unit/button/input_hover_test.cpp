// Hover tracking with the real pointer: the hover look begins with a move over the button and ends at
// the first timer tick that finds another window under the pointer.
#include "input_fixture.h"

namespace {

using testing_support::PointerAway;
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

TEST_F(ButtonInput, ThePointerIsOverTheButtonOnlyWhereItsWindowIsTheOneUnderIt) {
    // The shaded style cuts away its top-right and bottom-left pixels.
    struct Probe {
        int x, y;
        bool over;
    };
    for (Probe p : {Probe{kWidth - 1, 0, false}, Probe{0, kHeight - 1, false}, Probe{kWidth - 2, 0, true},
                    Probe{kWidth - 1, kHeight - 1, true}, Probe{kWidth, 5, false}}) {
        PointerTo(app_, ScreenPoint(window_, p.x, p.y));
        EXPECT_EQ(button_->PointerIsOver(), p.over) << p.x << ", " << p.y;
    }

    // A hover that reaches the cut corner ends there.
    Hover(50, 15);
    PointerTo(app_, ScreenPoint(window_, kWidth - 1, 0));
    ASSERT_TRUE(WaitForTimerToStop());
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));
}

TEST_F(ButtonInput, AWindowCoveringThePointerEndsTheHoverLook) {
    Hover(50, 15);
    HWND cover = Cover(50, 15);
    EXPECT_FALSE(button_->PointerIsOver());
    bool stopped = WaitForTimerToStop();
    DestroyWindow(cover);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(Take(), Lines({"look 0 forced", "MouseOut"}));
}

// A press, disabling or hiding does not stop the polling; only a tick that finds the pointer elsewhere
// does (a disabled or hidden window is never the one under the pointer).
class HoverInterrupted : public ButtonInput, public ::testing::WithParamInterface<int> {};

TEST_P(HoverInterrupted, LeavesTheTimerRunningUntilATickFindsThePointerOutside) {
    Hover();
    if (GetParam() == 0) {
        Send(WM_LBUTTONDOWN);
    } else if (GetParam() == 1) {
        button_->SetEnabled(false);
        static_cast<platform::Control*>(button_)->SetEnabled(false);
    } else {
        static_cast<platform::Control*>(button_)->SetVisible(false);
    }
    EXPECT_TRUE(button_->TimerEnabled());
    if (GetParam() == 0) {
        // Ticks come and go while the pressed pointer stays over the button.
        testing_support::PumpUntil(
            app_, [] { return false; }, 100);
        EXPECT_EQ(recorder_->Count("MouseOut"), 0);
        PointerAway(app_);
    }
    ASSERT_TRUE(WaitForTimerToStop());
    EXPECT_EQ(recorder_->Count("MouseOut"), 1);
    EXPECT_EQ(recorder_->lines().back(), "MouseOut");
}

INSTANTIATE_TEST_SUITE_P(PressDisableOrHide, HoverInterrupted, ::testing::Values(0, 1, 2));

}  // namespace
