// What each property setter asks for, in order: repaints (state, forced) and stored-setting notices.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::Hex;
using testing_support::MakeButton;
using Log = std::vector<std::string>;

namespace {

// Records the repaint requests and the notices of a button.
struct Recorder {
    Log log;
    explicit Recorder(TamrixButton& b) {
        b.onRenderRequest = [this](std::uint8_t state, bool force) {
            log.push_back("render " + std::to_string(state) + (force ? " forced" : ""));
        };
        b.OnPropertyChanged = [this](std::string_view key) { log.push_back("notify " + std::string(key)); };
    }
    Log Take() { return std::exchange(log, {}); }
};

const char* kOwnColours = "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H00C0C0C0&\nFCOL = 0\nFCOLO = 0\n";

}  // namespace

TEST(ButtonProperties, EachSetterRepaintsAndNotifiesInItsOrder) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, std::string(kOwnColours) + "FONT = Font(\"Arial\", 9.75)\n");
    TamrixButton& b = *fixture.button;
    auto picture = fixture.page->Pictures().Get("ICON_ORDER");
    auto cursor = fixture.page->Pictures().Get("CURSOR_ARROW");
    // Without the focus: disabling a focused button also takes its focus, which repaints it once more.
    SetFocus(nullptr);
    const Log current{"render 2 forced"};  // a repaint of the look last painted (down, before each case)
    const Log up{"render 0 forced"};
    auto then = [](Log log, const char* key) {
        log.push_back(std::string("notify ") + key);
        return log;
    };
    const std::tuple<const char*, std::function<void()>, Log> cases[] = {
        {"BackColor", [&] { b.SetBackColor(0xC0C0C0); }, then(current, "BCOL")},
        {"BackOver", [&] { b.SetBackOver(0x8080FF); }, then(current, "BCOLO")},
        {"ForeOver", [&] { b.SetForeOver(0x0000FF); }, then(current, "FCOLO")},
        {"MaskColor", [&] { b.SetMaskColor(0xFF00FF); }, then(current, "MCOL")},
        {"ShowFocusRect", [&] { b.SetShowFocusRect(false); }, then(current, "FOCUSR")},
        {"SoftBevel", [&] { b.SetSoftBevel(true); }, then(current, "SOFT")},
        {"SpecialEffect", [&] { b.SetSpecialEffect(1); }, then(current, "FX")},
        // Without a picture the mask and grey settings, and the hover picture without the pointer, show nothing.
        {"UseMaskColor, no picture", [&] { b.SetUseMaskColor(false); }, then({}, "UMCOL")},
        {"UseGreyscale, no picture", [&] { b.SetUseGreyscale(true); }, then({}, "NGREY")},
        {"PictureOver, pointer away", [&] { b.SetPictureOver(picture); }, then({}, "PICO")},
        {"PictureOver, pointer over",
         [&] {
             TamrixButtonTestAccess::SetPointerOver(b, true);
             b.SetPictureOver(picture);
             TamrixButtonTestAccess::SetPointerOver(b, false);
         },
         then(current, "PICO")},
        {"PictureNormal", [&] { b.SetPictureNormal(picture); }, then(current, "PICN")},
        {"UseMaskColor", [&] { b.SetUseMaskColor(true); }, then(current, "UMCOL")},
        {"UseGreyscale", [&] { b.SetUseGreyscale(false); }, then(current, "NGREY")},
        {"PicturePosition", [&] { b.SetPicturePosition(2); }, {"notify PICPOS", "render 2 forced"}},
        {"ColorScheme", [&] { b.SetColorScheme(3); }, then(up, "COLTYPE")},
        {"Caption", [&] { b.SetCaption("&Order"); }, then(up, "TX")},
        {"FontItalic", [&] { b.SetFontItalic(true); }, up},
        {"FontName", [&] { b.SetFontName("Arial"); }, up},
        {"FontSize", [&] { b.SetFontSize(12); }, up},
        {"Font",
         [&] {
             b.SetFont(platform::FontValue{"Arial", 9.75});
         },
         then(up, "FONT")},
        {"MousePointer", [&] { b.SetMousePointer(99); }, then({}, "MPTR")},
        {"MouseIcon", [&] { b.SetMouseIcon(cursor); }, then({}, "MICON")},
        // A photograph cannot be a pointer: the icon stays, the setting still counts as changed.
        {"MouseIcon, refused", [&] { b.SetMouseIcon(fixture.page->Pictures().Get("JPG_GLASS")); }, then({}, "MICON")},
        {"Value, no toggle", [&] { b.SetValue(true); }, then({}, "VALUE")},
        {"CheckBoxBehaviour", [&] { b.SetCheckBoxBehaviour(true); }, then(current, "CHECK")},
        {"Value, toggle", [&] { b.SetValue(false); }, then(up, "VALUE")},
        {"ButtonType", [&] { b.SetButtonType(3); }, then(up, "BTYPE")},
        {"Enabled", [&] { b.SetEnabled(false); }, then(up, "ENAB")},
    };
    Recorder recorder(b);
    for (const auto& [property, set, expected] : cases) {
        b.RenderButton(button::kStateDown, true);
        recorder.Take();
        set();
        EXPECT_EQ(recorder.Take(), expected) << property;
    }
    EXPECT_FALSE(IsWindowEnabled(b.hwnd()));
    EXPECT_EQ(b.AccessKeys(), "o");
    EXPECT_TRUE(b.MouseIcon().SameAs(cursor));
    // The size reads in whole points, halves going to the even number.
    EXPECT_EQ(b.FontSize(), 10);  // 9.75
    b.SetFont(platform::FontValue{"Arial", 10.5});
    EXPECT_EQ(b.FontSize(), 10);
    b.SetFont(platform::FontValue{"Arial", 11.5});
    EXPECT_EQ(b.FontSize(), 12);
}

TEST(ButtonProperties, DesignModeCopiesTheFaceAndTextIntoTheHoverColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    b.SetBackColor(0x40C040);  // run time: the hover colours stay
    b.SetForeColor(0x000080);
    EXPECT_EQ(b.BackOver(), 0xC0C0C0u);
    EXPECT_EQ(b.ForeOver(), 0u);
    b.SetUserMode(false);  // the page is being designed
    b.SetBackColor(0x4040C0);
    b.SetForeColor(0x008000);
    EXPECT_EQ(b.BackOver(), 0x4040C0u);
    EXPECT_EQ(Hex(b.fields().TextOverColor), Hex(0x008000));
}

TEST(ButtonProperties, TheSeeThroughStyleCopiesTheParentWithoutPaintingAtAnotherSize) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    Log requests;
    b.onRenderRequest = [&](std::uint8_t state, bool) {
        RECT r{};
        GetClientRect(b.hwnd(), &r);
        requests.push_back(std::to_string(state) + " at height " + std::to_string(r.bottom));
    };
    // The capture shrinks the button to nothing and back; only the setter's own request paints.
    b.SetButtonType(button::kSeeThrough);
    EXPECT_EQ(requests, Log{"0 at height 24"});
    EXPECT_EQ(b.fields().ClientHeight, 24);
    EXPECT_EQ(b.fields().FocusRect.bottom, 21);
    EXPECT_FALSE(b.fields().CaptureInProgress);
}

TEST(ButtonProperties, ChangesWhileHiddenPaintNothingUntilTheNextShow) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    b.SetVisible(false);
    int paints = b.PaintCount();
    b.SetBackColor(0x0000C0);
    b.SetCaption("Hidden");
    b.RenderButton(button::kStateDown, true);
    EXPECT_EQ(b.PaintCount(), paints);
    EXPECT_EQ(b.fields().LastCaption, "");  // what was painted last, still
    b.SetVisible(true);
    EXPECT_EQ(b.PaintCount(), paints + 1);
    EXPECT_EQ(b.fields().LastCaption, "Hidden");
    EXPECT_EQ(Hex(testing_support::CaptureSurface(b).at(1, 1)), Hex(0x0000B7));  // the face's inner frame, -9
}

TEST(ButtonProperties, ANewButtonIsAChildWindowNamedAfterItselfInSystemColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 100, 30, "");
    TamrixButton& b = *fixture.button;
    char name[64] = {};
    GetClassNameA(b.hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "Catalog.TamrixButton");
    EXPECT_EQ(GetParent(b.hwnd()), fixture.page->hwnd());
    RECT client{};
    GetClientRect(b.hwnd(), &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 100030);
    EXPECT_EQ(b.Caption(), "cmdTest");
    EXPECT_EQ(b.ButtonType(), 14);
    EXPECT_EQ(b.ColorScheme(), 2);
    EXPECT_EQ(b.BackOver(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(b.ForeOver(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(GetSysColor(COLOR_BTNFACE)));  // resolved once the colours are set
    EXPECT_EQ(TamrixButton::Version(), "w2005.08.15");
}
