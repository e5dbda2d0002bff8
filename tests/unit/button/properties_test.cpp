// What each property setter asks for, in order (repaints and stored-setting notices), and the stored
// settings: every key written every time with its type, a written block read back gives the same button,
// missing keys take their defaults, and faulty values are reported by page, control and key.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"

using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::Hex;
using ButtonProperties = testing_support::ButtonTest;
using Log = std::vector<std::string>;
using namespace platform;

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

TEST_F(ButtonProperties, EachSetterRepaintsAndNotifiesInItsOrder) {
    TamrixButton& b = Make(80, 24, std::string(kOwnColours) + "FONT = Font(\"Arial\", 9.75)\n");
    auto picture = PageOf().Pictures().Get("ICON_ORDER");
    auto cursor = PageOf().Pictures().Get("CURSOR_ARROW");
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
        {"MouseIcon, refused", [&] { b.SetMouseIcon(PageOf().Pictures().Get("JPG_GLASS")); }, then({}, "MICON")},
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

TEST_F(ButtonProperties, DesignModeCopiesTheFaceAndTextIntoTheHoverColours) {
    TamrixButton& b = Make(80, 24, kOwnColours);
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

TEST_F(ButtonProperties, TheSeeThroughStyleCopiesTheParentWithoutPaintingAtAnotherSize) {
    TamrixButton& b = Make(80, 24, kOwnColours);
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

TEST_F(ButtonProperties, ChangesWhileHiddenPaintNothingUntilTheNextShow) {
    TamrixButton& b = Make(80, 24, kOwnColours);
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

TEST_F(ButtonProperties, ANewButtonIsAChildWindowNamedAfterItselfInSystemColours) {
    TamrixButton& b = Make(100, 30, "");
    char name[64] = {};
    GetClassNameA(b.hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "Catalog.TamrixButton");
    EXPECT_EQ(GetParent(b.hwnd()), PageOf().hwnd());
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

namespace {

const char* kEverySetting =
    "BTYPE = 3\nTX = \"&Order now\"\nENAB = False\nFONT = Font(\"Arial\", 9.75, Bold Italic Underline Strikethrough)\n"
    "COLTYPE = 2\nFOCUSR = False\nBCOL = &H00112233&\nBCOLO = &H00445566&\nFCOL = &H8000000F&\nFCOLO = &H00778899&\n"
    "MCOL = &H00FF00FF&\nMPTR = 99\nMICON = Picture(\"CURSOR_ARROW\")\nPICN = Picture(\"ICON_ORDER\")\n"
    "PICH = Picture(\"ICON_RETURN\")\nUMCOL = False\nSOFT = True\nPICPOS = 3\nNGREY = True\nFX = 2\nCHECK = True\n"
    "VALUE = True\n";

// The button's own keys of a saved block, in their order, each with the kind of value written.
std::string KeysAndKinds(const LayoutNode& node) {
    std::string written;
    for (const LayoutProperty& p : node.properties) {
        if (IsExtenderKey(p.key)) continue;
        const char* kinds[] = {"nothing", "number", "real", "truth", "text", "font", "picture"};
        const char* kind = kinds[p.value.index()];
        if (auto* number = std::get_if<WholeNumber>(&p.value); number && number->hex) kind = "hex";
        written += p.key + " " + kind + ", ";
    }
    return written;
}

std::string PageAround(const LayoutNode& control) {
    LayoutNode root;
    root.className = "Page";
    root.name = "frmRoundTrip";
    root.properties = {{"Width", WholeNumber{6000}, 0},
                       {"Height", WholeNumber{4500}, 0},
                       {"BackColor", WholeNumber{0xFFC0C0, true}, 0}};
    root.children.push_back(control);
    return WriteLayout(root);
}

// What a saved block cannot show: the layout derived from it and the state of the window.
std::string Derived(const TamrixButton& b) {
    const button::Fields& f = b.fields();
    const RECT& c = f.CaptionRect;
    return std::to_string(c.left) + "," + std::to_string(c.top) + "," + std::to_string(c.right) + "," +
           std::to_string(c.bottom) + " picture " + std::to_string(f.PictureRect.x) + "," +
           std::to_string(f.PictureRect.y) + " " + std::to_string(f.PictureRect.width) + " key " + b.AccessKeys() +
           " enabled " + std::to_string(IsWindowEnabled(b.hwnd()) != FALSE);
}

}  // namespace

TEST_F(ButtonProperties, WritingStoresAllKeysInOrderWithTheirTypes) {
    LayoutNode saved = Make(120, 32, kEverySetting).SaveToLayout();
    EXPECT_EQ(KeysAndKinds(saved),
              "BTYPE number, TX text, ENAB truth, FONT font, COLTYPE number, FOCUSR truth, BCOL hex, BCOLO hex, "
              "FCOL hex, FCOLO hex, MCOL hex, MPTR number, MICON picture, PICN picture, PICH picture, UMCOL truth, "
              "SOFT truth, PICPOS number, NGREY truth, FX number, CHECK truth, VALUE truth, ");
    EXPECT_EQ(std::get<FontValue>(saved.Find("FONT")->value), (FontValue{"Arial", 9.75, true, true, true, true}));
    EXPECT_EQ(std::get<WholeNumber>(saved.Find("FCOL")->value).value, 0x8000000F);  // the reference, not its colour
    EXPECT_EQ(std::get<PictureRef>(saved.Find("MICON")->value).resource, "CURSOR_ARROW");
    // A new button writes all 22 keys too, with Nothing for its pictures.
    EXPECT_EQ(KeysAndKinds(Make(80, 24, "").SaveToLayout()),
              "BTYPE number, TX text, ENAB truth, FONT font, COLTYPE number, FOCUSR truth, BCOL hex, BCOLO hex, "
              "FCOL hex, FCOLO hex, MCOL hex, MPTR number, MICON nothing, PICN nothing, PICH nothing, UMCOL truth, "
              "SOFT truth, PICPOS number, NGREY truth, FX number, CHECK truth, VALUE truth, ");
}

TEST_F(ButtonProperties, AWrittenBlockReadBackGivesTheSameButton) {
    for (const char* settings :
         {kEverySetting, "BTYPE = 14\nTX = \"Home && Office\"\nPICN = Picture(\"ICON_WELCOME\")\n",
          "BTYPE = 11\nCOLTYPE = 3\nTX = \"See &through\"\nFX = 1\n", ""}) {
        TamrixButton& original = Make(120, 32, settings);
        LayoutNode saved = original.SaveToLayout();
        std::string text = PageAround(saved);
        ParsedLayout reparsed = ParseLayout(text);
        ASSERT_TRUE(reparsed.ok()) << reparsed.diagnostics.front().ToString() << "\n" << text;

        auto copyPage = testing_support::MakeButtonPage(app, text);
        copyPage->Load();
        copyPage->Show();
        ASSERT_TRUE(copyPage->Diagnostics().empty()) << copyPage->Diagnostics().front().ToString();
        auto& copy = copyPage->Get<TamrixButton>("cmdTest");
        SetFocus(nullptr);  // neither shows a focus rectangle
        testing_support::Pump(app);
        // Saved again, the copy gives the same block; it has the same layout and looks the same.
        EXPECT_EQ(WriteLayout(copy.SaveToLayout()), WriteLayout(saved));
        EXPECT_EQ(Derived(copy), Derived(original)) << settings;
        EXPECT_EQ(testing_support::CaptureSurface(copy), testing_support::CaptureSurface(original))
            << "the two buttons look different for\n"
            << settings;
        copyPage->UnloadWithoutAsking();
    }
}

TEST_F(ButtonProperties, MissingKeysTakeTheirDefaults) {
    TamrixButton& b = Make(80, 24, "TX = \"Only a caption\"\n");
    EXPECT_EQ(b.ButtonType(), 2);   // no style of its own
    EXPECT_EQ(b.ColorScheme(), 1);  // system colours
    EXPECT_TRUE(b.Enabled() && b.ShowFocusRect() && b.UseMaskColor());
    EXPECT_EQ(b.Font(), PageOf().PageFont());
    EXPECT_EQ(b.BackOver(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(b.ForeOver(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
    EXPECT_FALSE(b.MouseIcon() || b.PictureNormal() || b.PictureOver());
    EXPECT_FALSE(b.SoftBevel() || b.UseGreyscale() || b.CheckBoxBehaviour() || b.Value());
    EXPECT_EQ(b.MousePointer() + b.PicturePosition() + b.SpecialEffect(), 0);
    // Style 2 has no inset focus rectangle.
    EXPECT_EQ(b.fields().FocusRect.left, 0);

    // The hover colours default to the colours read just before them.
    TamrixButton& colours = Make(80, 24, "BCOL = &H00336699&\nFCOL = &H00000080&\n");
    EXPECT_EQ(colours.BackOver(), 0x336699u);
    EXPECT_EQ(colours.ForeOver(), 0x000080u);
}

TEST_F(ButtonProperties, FaultyValuesAreReportedByPageControlAndKey) {
    testing_support::FakeSystem system;
    TamrixButton& b =
        Make(80, 24,
             "BTYPE = \"abc\"\nTX = \"unterminated\nFONT = Font(\"Arial\", 9\nCOLTYPE = 99999999999\n"
             "BCOL = &H1FFFFFFFF&\nFCOL = Picture(\"ICON_ORDER\")\nMPTR = 70000\nMICON = Picture(\"JPG_GLASS\")\n"
             "PICN = Picture(\"NO_SUCH_PICTURE\")\nFX = 3\nZORK = 1\nENAB =\n");
    std::vector<std::string> reported;
    for (const LayoutDiagnostic& d : PageOf().Diagnostics()) {
        EXPECT_NE(d.ToString().find("page frmButtonTest, control cmdTest, key " + d.key), std::string::npos)
            << d.ToString();
        reported.push_back(d.key);
    }
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<std::string>{"BCOL", "BTYPE", "COLTYPE", "ENAB", "FCOL", "FONT", "MICON", "MPTR",
                                                  "PICN", "TX", "ZORK"}));
    ASSERT_EQ(system.messages.size(), 1u);  // one box lists them all
    EXPECT_NE(system.messages[0].text.find("key PICN"), std::string::npos);

    // The button is there, with defaults where its values were faulty and the good value kept.
    EXPECT_EQ(b.ButtonType(), 2);
    EXPECT_EQ(b.BackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(b.MouseIcon() || b.PictureNormal());
    EXPECT_EQ(b.SpecialEffect(), 3);
    EXPECT_TRUE(b.Enabled() && IsWindowVisible(b.hwnd()));
}
