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

// Records the repaint requests and the notices of a button, and how many paintings happened.
struct Recorder {
    Log log;
    TamrixButton* button = nullptr;
    int paintsAtStart = 0;

    explicit Recorder(TamrixButton& b) : button(&b) {
        b.onRenderRequest = [this](std::uint8_t state, bool force) {
            log.push_back("render " + std::to_string(state) + (force ? " forced" : ""));
        };
        b.OnPropertyChanged = [this](std::string_view key) { log.push_back("notify " + std::string(key)); };
        paintsAtStart = b.PaintCount();
    }
    ~Recorder() {
        button->onRenderRequest = nullptr;
        button->OnPropertyChanged = nullptr;
    }
    Log Take() {
        Log taken = std::move(log);
        log.clear();
        paintsAtStart = button->PaintCount();
        return taken;
    }
    int Paints() const { return button->PaintCount() - paintsAtStart; }
};

const char* kOwnColours = "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H00C0C0C0&\nFCOL = 0\nFCOLO = 0\n";

}  // namespace

TEST(ButtonProperties, EachSetterRepaintsAndNotifiesInItsOrder) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, std::string(kOwnColours) + "FONT = Font(\"Arial\", 9.75)\n");
    TamrixButton& b = *fixture.button;
    auto picture = fixture.page->Pictures().Get("ICON_ORDER");
    // Without the focus: disabling a focused button also takes its focus, which repaints it once more.
    SetFocus(nullptr);
    // Down, so that a repaint of the current look (state 2) differs from a repaint of the up look.
    b.RenderButton(button::kStateDown, true);

    struct Case {
        const char* property;
        std::function<void()> set;
        Log expected;
    };
    const Case cases[] = {
        {"BackOver", [&] { b.SetBackOver(0x8080FF); }, {"render 2 forced", "notify BCOLO"}},
        {"ForeOver", [&] { b.SetForeOver(0x0000FF); }, {"render 2 forced", "notify FCOLO"}},
        {"MaskColor", [&] { b.SetMaskColor(0xFF00FF); }, {"render 2 forced", "notify MCOL"}},
        {"ShowFocusRect", [&] { b.SetShowFocusRect(false); }, {"render 2 forced", "notify FOCUSR"}},
        {"SoftBevel", [&] { b.SetSoftBevel(true); }, {"render 2 forced", "notify SOFT"}},
        {"SpecialEffect", [&] { b.SetSpecialEffect(1); }, {"render 2 forced", "notify FX"}},
        {"PictureNormal", [&] { b.SetPictureNormal(picture); }, {"render 2 forced", "notify PICN"}},
        {"PicturePosition", [&] { b.SetPicturePosition(2); }, {"notify PICPOS", "render 2 forced"}},
        {"ColorScheme", [&] { b.SetColorScheme(3); }, {"render 0 forced", "notify COLTYPE"}},
        {"Caption", [&] { b.SetCaption("&Order"); }, {"render 0 forced", "notify TX"}},
        {"FontItalic", [&] { b.SetFontItalic(true); }, {"render 0 forced"}},
        {"FontName", [&] { b.SetFontName("Arial"); }, {"render 0 forced"}},
        {"FontSize", [&] { b.SetFontSize(12); }, {"render 0 forced"}},
        {"Font",
         [&] {
             b.SetFont(platform::FontValue{"Arial", 9.75});
         },
         {"render 0 forced", "notify FONT"}},
        {"MousePointer", [&] { b.SetMousePointer(99); }, {"notify MPTR"}},
        {"ButtonType", [&] { b.SetButtonType(3); }, {"render 0 forced", "notify BTYPE"}},
        {"Enabled", [&] { b.SetEnabled(false); }, {"render 0 forced", "notify ENAB"}},
    };
    Recorder recorder(b);
    for (const Case& c : cases) {
        b.RenderButton(button::kStateDown, true);
        recorder.Take();
        c.set();
        EXPECT_EQ(recorder.Take(), c.expected) << c.property;
    }
    EXPECT_FALSE(IsWindowEnabled(b.hwnd()));
    EXPECT_EQ(b.AccessKeys(), "o");
    // The size reads in whole points, halves going to the even number.
    EXPECT_EQ(b.FontSize(), 10);  // 9.75
    b.SetFont(platform::FontValue{"Arial", 10.5});
    EXPECT_EQ(b.FontSize(), 10);
    b.SetFont(platform::FontValue{"Arial", 11.5});
    EXPECT_EQ(b.FontSize(), 12);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, DesignModeCopiesTheFaceAndTextIntoTheHoverColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    Recorder recorder(b);

    b.SetBackColor(0x40C040);  // run time: the hover face stays
    b.SetForeColor(0x000080);
    EXPECT_EQ(b.BackOver(), 0xC0C0C0u);
    EXPECT_EQ(b.ForeOver(), 0u);
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify BCOL", "render 0 forced", "notify FCOL"}));

    b.SetUserMode(false);  // the page is being designed
    b.SetBackColor(0x4040C0);
    b.SetForeColor(0x008000);
    EXPECT_EQ(b.BackOver(), 0x4040C0u);
    EXPECT_EQ(b.ForeOver(), 0x008000u);
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify BCOL", "render 0 forced", "notify FCOL"}));
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(0x4040C0));
    EXPECT_EQ(Hex(b.fields().TextOverColor), Hex(0x008000));
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, PictureOptionsRepaintOnlyWhenTheyShow) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    auto picture = fixture.page->Pictures().Get("ICON_ORDER");
    Recorder recorder(b);

    // Without a picture the mask and grey settings change nothing on the screen.
    b.SetUseMaskColor(false);
    b.SetUseGreyscale(true);
    EXPECT_EQ(recorder.Take(), (Log{"notify UMCOL", "notify NGREY"}));
    EXPECT_FALSE(b.UseMaskColor());
    EXPECT_TRUE(b.UseGreyscale());

    // The hover picture shows only while the pointer is over the button.
    b.SetPictureOver(picture);
    EXPECT_EQ(recorder.Take(), Log{"notify PICO"});
    EXPECT_TRUE(b.PictureOver().SameAs(picture));
    TamrixButtonTestAccess::SetPointerOver(b, true);
    b.SetPictureOver(picture);
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify PICO"}));
    TamrixButtonTestAccess::SetPointerOver(b, false);

    b.SetPictureNormal(picture);
    recorder.Take();
    b.SetUseMaskColor(true);
    b.SetUseGreyscale(false);
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify UMCOL", "render 0 forced", "notify NGREY"}));
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, ValueRepaintsOnlyAToggleButtonAndThenLooksDown) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    Recorder recorder(b);

    b.SetValue(true);
    EXPECT_EQ(recorder.Take(), Log{"notify VALUE"});
    EXPECT_EQ(recorder.Paints(), 0);
    EXPECT_EQ(b.fields().LastState, button::kStateUp);

    b.SetCheckBoxBehaviour(true);  // a set value now shows: the up request paints the down look
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify CHECK"}));
    EXPECT_EQ(b.fields().LastState, button::kStateDown);

    b.SetValue(false);
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify VALUE"}));
    EXPECT_EQ(b.fields().LastState, button::kStateUp);
    EXPECT_EQ(SendMessageA(b.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    b.SetValue(true);
    EXPECT_EQ(b.fields().LastState, button::kStateDown);
    EXPECT_EQ(SendMessageA(b.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, SeeThroughStyleWhileShownCopiesTheParentWithoutExtraPaints) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    Recorder recorder(b);
    int sizeChanges = 0;
    b.onRenderRequest = [&](std::uint8_t state, bool force) {
        recorder.log.push_back("render " + std::to_string(state) + (force ? " forced" : ""));
        RECT r{};
        GetClientRect(b.hwnd(), &r);
        if (r.bottom != 24) ++sizeChanges;
    };

    b.SetButtonType(button::kSeeThrough);
    // The capture shrinks the button to nothing and back; the resize handler lets both pass, so the
    // only painting is the one the setter asks for, at full size.
    EXPECT_EQ(recorder.Take(), (Log{"render 0 forced", "notify BTYPE"}));
    EXPECT_EQ(sizeChanges, 0);
    RECT client{};
    GetClientRect(b.hwnd(), &client);
    EXPECT_EQ(client.bottom, 24);
    EXPECT_EQ(b.fields().ClientHeight, 24);
    EXPECT_EQ(b.fields().FocusRect.left, 3);
    EXPECT_EQ(b.fields().FocusRect.bottom, 21);
    EXPECT_FALSE(b.fields().CaptureInProgress);
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, ARefusedMouseIconIsIgnoredButStillNotified) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "BTYPE = 14\n");
    TamrixButton& b = *fixture.button;
    Recorder recorder(b);
    auto cursor = fixture.page->Pictures().Get("CURSOR_ARROW");
    b.SetMouseIcon(cursor);
    EXPECT_TRUE(b.MouseIcon().SameAs(cursor));
    b.SetMouseIcon(fixture.page->Pictures().Get("JPG_GLASS"));  // a photograph cannot be a pointer
    EXPECT_TRUE(b.MouseIcon().SameAs(cursor));
    EXPECT_EQ(recorder.Take(), (Log{"notify MICON", "notify MICON"}));
    EXPECT_EQ(recorder.Paints(), 0);
    EXPECT_EQ(TamrixButton::Version(), "w2005.08.15");
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, ChangesWhileHiddenPaintNothingUntilTheNextShow) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, kOwnColours);
    TamrixButton& b = *fixture.button;
    b.SetVisible(false);
    EXPECT_FALSE(b.fields().Shown);
    Recorder recorder(b);

    b.SetBackColor(0x0000C0);
    b.SetCaption("Hidden");
    b.RenderButton(button::kStateDown, true);
    EXPECT_EQ(recorder.Paints(), 0);
    EXPECT_EQ(b.fields().LastCaption, "");  // what was painted last, still
    EXPECT_EQ(b.fields().FaceColor, 0x0000C0u);

    b.SetVisible(true);
    EXPECT_EQ(recorder.Paints(), 1);
    EXPECT_EQ(b.fields().LastCaption, "Hidden");
    EXPECT_EQ(Hex(testing_support::CaptureSurface(b).at(1, 1)),
              Hex(button::ShiftColorValue(0x0000C0, -9, false, false)));
    fixture.page->UnloadWithoutAsking();
}

TEST(ButtonProperties, ANewButtonStartsWithItsNameInSystemColours) {
    platform::Application app;
    auto fixture = MakeButton(app, 80, 24, "");
    TamrixButton& b = *fixture.button;
    EXPECT_EQ(b.Caption(), "cmdTest");
    EXPECT_EQ(b.ButtonType(), 14);
    EXPECT_EQ(b.ColorScheme(), 2);
    EXPECT_EQ(b.BackOver(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(b.ForeOver(), GetSysColor(COLOR_BTNTEXT));
    // Resolved again once the colours are set: not the black of the empty fields.
    EXPECT_EQ(Hex(b.fields().FaceColor), Hex(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Hex(b.fields().MaskRgb), Hex(0xC0C0C0));
    fixture.page->UnloadWithoutAsking();
}
