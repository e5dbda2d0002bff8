// The rules of the redraw pipeline: a check button whose value is set paints the down look, and a request
// for the look already painted is skipped unless forced. (What each look looks like, pixel for pixel,
// is the gallery test's.)
#include <gtest/gtest.h>

#include "support/button_page.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using ButtonRedraw = testing_support::ButtonTest;

TEST_F(ButtonRedraw, ASetValueForcesTheDownLookAndUnforcedRepeatsAreSkipped) {
    TamrixButton& b = Make(80, 24, "BTYPE = 14\nTX = \"Hello\"\n");
    b.SetCheckBoxBehaviour(true);
    b.SetValue(true);
    EXPECT_EQ(b.fields().LastState, kStateDown);
    b.SetValue(false);

    b.RenderButton(kStateDown, true);
    int paints = b.PaintCount();
    b.RenderButton(kStateUp, false);
    b.RenderButton(kStateUp, false);
    EXPECT_EQ(b.PaintCount(), paints + 1);
    b.RenderButton(kStateUp, true);
    EXPECT_EQ(b.PaintCount(), paints + 2);
}
