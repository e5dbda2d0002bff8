// The colour sets, and the looks of each style pixel by pixel where they are fixed. (When the button
// paints: input_test.cpp and the setters' table.)
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::ExpectPixels;
using testing_support::Hex;
using testing_support::Paint;
using testing_support::Pixels;
using ButtonLooks = testing_support::ButtonTest;

namespace {

const char* kShadedGrey =
    "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H004080C0&\nFCOL = 0\nFCOLO = 0\n";
const std::string kFramedGrey = "BTYPE = 3\nCOLTYPE = 3\n";  // lit face F0F0F0: C0C0C0 lightened by 48

}  // namespace

TEST_F(ButtonLooks, EachSchemeDerivesItsColourSet) {
    TamrixButton& b =
        Make(80, 24, "BTYPE = 14\nBCOL = &H00C0C0C0&\nFCOL = &H00000080&\nFCOLO = &H00008000&\n");
    // Face, light, highlight, shadow, text and hover text.
    auto setOf = [&b] {
        const button::Fields& f = b.fields();
        return Hex(f.FaceColor) + Hex(f.LightColor) + Hex(f.HighlightColor) + Hex(f.ShadowColor) +
               Hex(f.TextColor) + Hex(f.TextOverColor);
    };
    const std::string system = Hex(GetSysColor(COLOR_BTNFACE)) + Hex(GetSysColor(COLOR_3DLIGHT)) +
                               Hex(GetSysColor(COLOR_BTNHIGHLIGHT)) + Hex(GetSysColor(COLOR_BTNSHADOW)) +
                               Hex(GetSysColor(COLOR_BTNTEXT)) + Hex(GetSysColor(COLOR_BTNTEXT));
    const std::pair<int, std::string> cases[] = {
        {2, "0xC0C0C00xDFDFDF0xEFEFEF0x8080800x0000800x008000"},
        {3, "0xC0C0C00xDFDFDF0xFFFFFF0x8080800x0000000x000000"},  // differs from 2 in the highlight
        {1, system},
        {7, system}};  // any other number is the system scheme
    for (const auto& [scheme, expected] : cases) {
        b.SetColorScheme(scheme);
        EXPECT_EQ(setOf(), expected) << "scheme " << scheme;
    }
}

TEST_F(ButtonLooks, ShadedStyleFramesRampHoverAndDownLooks) {
    TamrixButton& b = Make(80, 24, kShadedGrey);
    // Face C0C0C0: highlight EFEFEF, shadow 808080. Frames, then the two-pixel highlight; the ramp falls
    // 58 shades over the height: rows 4, 6, 12 and 21 shift by -10, -15, -29 and -51.
    ExpectPixels(Paint(b, kStateUp),
                 "0,0=4E4E4E 79,0=4E4E4E 0,12=4E4E4E 79,23=4E4E4E 1,1=B7B7B7 78,22=B7B7B7 2,2=EFEFEF "
                 "77,3=EFEFEF 3,21=EFEFEF 4,4=E5E5E5 40,6=E0E0E0 40,12=D2D2D2 40,21=BCBCBC",
                 "up");
    // Hover is flat, all from BackOver 4080C0: light +31, shadow -64 then -50, face -9, highlight +47.
    ExpectPixels(Paint(b, kStateUp, true), "40,12=5F9FDF 40,6=5F9FDF 0,0=000E4E 1,1=3777B7 2,2=6FAFEF",
                 "hover");
    EXPECT_EQ(b.fields().FaceColor, 0xC0C0C0u);  // the set is the face's again afterwards
    ExpectPixels(Paint(b, kStateDown),
                 "40,12=B7B7B7 1,1=B7B7B7 0,0=505050 79,22=505050 2,22=EFEFEF 78,2=EFEFEF", "down");
}

TEST_F(ButtonLooks, FramedStyleEdgesRampAndItsHoverAndFocusRings) {
    TamrixButton& b = Make(80, 25, kFramedGrey);
    ExpectPixels(Paint(b, kStateUp),
                 "0,0=733C00 79,24=733C00 1,1=7B4D10 78,23=7B4D10 40,3=EDEDED 40,12=E1E4E4 40,21=D6DBDB "
                 "40,23=B4C0C0 40,22=C8D0D0 78,10=C3CCCC 77,10=D2D8D8 40,1=FFFFFF 40,2=FCFAFA 2,10=E4E6E6",
                 "up");
    auto ring = [](const char* c0, const char* c1, const char* c2, const char* c3, const char* c4) {
        return std::string("1,10=") + c0 + " 78,10=" + c0 + " 40,22=" + c0 + " 40,23=" + c1 + " 40,1=" + c2 +
               " 40,2=" + c3 + " 2,10=" + c4 + " 77,10=" + c4 + " 1,1=7B4D10 1,23=7B4D10";
    };
    const std::string hover = ring("31B2FF", "0096E7", "CEF3FF", "8CDBFF", "6BCBFF");
    const std::string focus = ring("E7AE8C", "EF826B", "FFE7CE", "F7D7BD", "F0D1B5");
    ExpectPixels(Paint(b, kStateUp, true), hover, "hover ring");
    ExpectPixels(Paint(b, kStateUp, false, true), focus, "focus ring");
    ExpectPixels(Paint(b, kStateUp, true, true), hover, "hover wins over focus");
}

TEST_F(ButtonLooks, SeeThroughStyleShowsThePageWithRaisedAndSunkenBevels) {
    // The test page beneath is FFC0C0.
    TamrixButton& b = Make(80, 24, "BTYPE = 11\nCOLTYPE = 3\nTX = \"\"\n");
    EXPECT_EQ(Paint(b, kStateUp).Count(0xFFC0C0), 80 * 24);  // not the face colour: the page beneath
    ExpectPixels(
        Paint(b, kStateUp, true),
        "0,0=FFFFFF 0,22=FFFFFF 78,0=FFFFFF 79,0=808080 0,23=808080 79,23=808080 40,12=FFC0C0 1,1=FFC0C0",
        "raised");
    ExpectPixels(Paint(b, kStateDown), "0,0=808080 78,0=808080 79,0=FFFFFF 0,23=FFFFFF 79,23=FFFFFF",
                 "sunken");
}
