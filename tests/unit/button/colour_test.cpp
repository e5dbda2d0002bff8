// The colour set each scheme derives, system colour references, the lit face, and scheme 4's colours
// taken from the parent's surface.
#include "platform/colour.h"

#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using testing_support::Hex;
using testing_support::MakeButton;

namespace {

struct ColourSet {
    COLORREF face, light, highlight, shadow, text, textOver;
};

void ExpectSet(const TamrixButton& b, const ColourSet& e, const std::string& what) {
    const button::Fields& f = b.fields();
    EXPECT_EQ(Hex(f.FaceColor) + Hex(f.LightColor) + Hex(f.HighlightColor) + Hex(f.ShadowColor) + Hex(f.TextColor) +
                  Hex(f.TextOverColor),
              Hex(e.face) + Hex(e.light) + Hex(e.highlight) + Hex(e.shadow) + Hex(e.text) + Hex(e.textOver))
        << what << ": face, light, highlight, shadow, text, text over";
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(ButtonColours, EachSchemeDerivesItsSet) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nBCOL = &H00C0C0C0&\nFCOL = &H00000080&\nFCOLO = &H00008000&\n");
    TamrixButton& b = *fixture.button;
    const ColourSet system{GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT),
                           GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNTEXT)};
    const std::pair<std::int32_t, ColourSet> cases[] = {
        {2, {0xC0C0C0, 0xDFDFDF, 0xEFEFEF, 0x808080, 0x000080, 0x008000}},
        {3, {0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0x000000, 0x000000}},  // differs from 2 in the highlight
        {1, system},
        {7, system},  // any other number is the system scheme
    };
    for (const auto& [scheme, expected] : cases) {
        b.SetColorScheme(scheme);
        ExpectSet(b, expected, "scheme " + std::to_string(scheme));
        EXPECT_EQ(Hex(b.fields().MaskRgb), Hex(0xC0C0C0));
    }
}

TEST(ButtonColours, SystemReferencesTranslateAndTheLitFaceFollowsTheStyleAtTheLastResolve) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00996633&\n");
    TamrixButton& b = *fixture.button;
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xC99663));  // plain
    b.SetButtonType(3);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xC99663));  // the style alone resolves nothing
    b.SetMaskColor(0x8000000F);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xBF9663));  // proportional: only blue differs
    EXPECT_EQ(Hex(b.fields().MaskRgb), Hex(GetSysColor(COLOR_BTNFACE)));
    b.SetForeColor(platform::kSystemWindowText);
    EXPECT_EQ(Hex(b.fields().TextColor), Hex(GetSysColor(COLOR_WINDOWTEXT)));
    b.SetBackColor(0x80000077);  // no such system colour
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(0));
}

TEST(ButtonColours, SchemeFourTakesTheParentsSurfaceColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nCOLTYPE = 4\n");
    TamrixButton& b = *fixture.button;
    // A parent whose own DC keeps the colours it was given, as a window of another toolkit may.
    WNDCLASSA wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ButtonTestOwnDcParent";
    RegisterClassA(&wc);
    HWND parent =
        CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HDC own = GetDC(parent);
    SetBkColor(own, 0x336699);
    SetTextColor(own, 0x0000C0);
    ReleaseDC(parent, own);

    HWND oldParent = SetParent(b.hwnd(), parent);
    b.SetColorScheme(4);
    ExpectSet(b, {0x336699, 0x5285B8, 0x6295C8, 0x002659, 0x0000C0, 0x0000C0}, "own-DC parent");
    SetParent(b.hwnd(), oldParent);
    DestroyWindow(parent);
}
