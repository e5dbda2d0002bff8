// The colour set each scheme derives, system colour references, and the parent's colours of scheme 4.
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

ColourSet SetOf(const TamrixButton& b) {
    const button::Fields& f = b.fields();
    return {f.FaceColor, f.LightColor, f.HighlightColor, f.ShadowColor, f.TextColor, f.TextOverColor};
}

void ExpectSet(const TamrixButton& b, const ColourSet& e, const std::string& what) {
    ColourSet s = SetOf(b);
    EXPECT_EQ(Hex(s.face), Hex(e.face)) << what << ": face";
    EXPECT_EQ(Hex(s.light), Hex(e.light)) << what << ": light";
    EXPECT_EQ(Hex(s.highlight), Hex(e.highlight)) << what << ": highlight";
    EXPECT_EQ(Hex(s.shadow), Hex(e.shadow)) << what << ": shadow";
    EXPECT_EQ(Hex(s.text), Hex(e.text)) << what << ": text";
    EXPECT_EQ(Hex(s.textOver), Hex(e.textOver)) << what << ": text over";
}

}  // namespace

TEST(ButtonColours, EachSchemeDerivesItsSet) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nBCOL = &H00C0C0C0&\nFCOL = &H00000080&\nFCOLO = &H00008000&\n");
    TamrixButton& b = *fixture.button;
    const ColourSet system{GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT),
                           GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNTEXT)};
    struct Case {
        std::int32_t scheme;
        ColourSet expected;
    };
    const Case cases[] = {
        {2, {0xC0C0C0, 0xDFDFDF, 0xEFEFEF, 0x808080, 0x000080, 0x008000}},
        {3, {0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0x000000, 0x000000}},  // differs from 2 in the highlight
        {1, system},
        {0, system},  // any other number is the system scheme
        {7, system},
    };
    for (const Case& c : cases) {
        b.SetColorScheme(c.scheme);
        ExpectSet(b, c.expected, "scheme " + std::to_string(c.scheme));
        EXPECT_EQ(Hex(b.fields().MaskRgb), Hex(0xC0C0C0));
        EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(button::ShiftColorValue(c.expected.face, 48, false, false)));
    }
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonColours, SystemReferencesTranslateAndUnknownValuesGiveBlack) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nCOLTYPE = 2\n");
    TamrixButton& b = *fixture.button;
    b.SetBackColor(platform::kSystemButtonFace);
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(GetSysColor(COLOR_BTNFACE)));
    b.SetForeColor(platform::kSystemWindowText);
    EXPECT_EQ(Hex(b.fields().TextColor), Hex(GetSysColor(COLOR_WINDOWTEXT)));
    b.SetBackColor(0x80000077);  // no such system colour
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(0));
    EXPECT_EQ(TamrixButton::ToRgbColor(0x00123456), 0x00123456u);
    b.SetMaskColor(0x8000000F);
    EXPECT_EQ(Hex(b.fields().MaskRgb), Hex(GetSysColor(COLOR_BTNFACE)));
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonColours, TheLitFaceFollowsTheStyleInForceAtTheLastResolve) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00996633&\n");
    TamrixButton& b = *fixture.button;
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xC99663));  // plain
    b.SetButtonType(3);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xC99663));  // the style alone resolves nothing
    b.SetMaskColor(0xC0C0C0);
    EXPECT_EQ(Hex(b.fields().LitFaceColor), Hex(0xBF9663));  // proportional: only blue differs
    fixture.page->UnloadWithoutAsking();
}

namespace {

// A parent whose drawing surface keeps the colours it was given (its own DC), as a window of another
// toolkit may.
LRESULT CALLBACK OwnDcProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(ButtonColours, SchemeFourTakesTheParentsSurfaceColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\nCOLTYPE = 4\n");
    TamrixButton& b = *fixture.button;
    // The page's surface reports what a fresh DC does: white behind black text.
    {
        platform::WindowDC pageDC(fixture.page->hwnd());
        EXPECT_EQ(Hex(b.fields().FaceColor), Hex(GetBkColor(pageDC.get())));
        EXPECT_EQ(Hex(b.fields().TextColor), Hex(GetTextColor(pageDC.get())));
    }

    WNDCLASSA wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = OwnDcProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ButtonTestOwnDcParent";
    RegisterClassA(&wc);
    HWND parent =
        CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
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
    fixture.page->UnloadWithoutAsking();
}
