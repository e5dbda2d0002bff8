// What each property setter asks for, in order (repaints and stored-setting notices), and the stored
// settings: every key written in its order with its type, a written block read back gives the same
// button, and missing keys take their defaults.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using ButtonProperties = testing_support::ButtonTest;
using Log = std::vector<std::string>;
using namespace platform;

TEST_F(ButtonProperties, EachSetterRepaintsAndNotifiesInItsOrder) {
    TamrixButton& b = Make(80, 24, "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H00C0C0C0&\n");
    auto picture = PageOf().Pictures().Get("ICON_ORDER");
    SetFocus(nullptr);  // disabling a focused button also takes its focus, which repaints it once more
    Log log;
    b.onRenderRequest = [&](std::uint8_t state, bool force) {
        log.push_back("render " + std::to_string(state) + (force ? " forced" : ""));
    };
    b.OnPropertyChanged = [&](std::string_view key) { log.push_back("notify " + std::string(key)); };
    auto current = [](const char* key) { return Log{"render 2 forced", std::string("notify ") + key}; };
    auto up = [](const char* key) { return Log{"render 0 forced", std::string("notify ") + key}; };
    auto quiet = [](const char* key) { return Log{std::string("notify ") + key}; };
    const std::tuple<const char*, std::function<void()>, Log> cases[] = {
        {"BackColor", [&] { b.SetBackColor(0xC0C0C0); }, current("BCOL")},
        // Without a picture the mask and grey settings, and the hover picture without the pointer, show
        // nothing.
        {"UseMaskColor, no picture", [&] { b.SetUseMaskColor(false); }, quiet("UMCOL")},
        {"PictureOver, pointer away", [&] { b.SetPictureOver(picture); }, quiet("PICO")},
        {"PictureNormal", [&] { b.SetPictureNormal(picture); }, current("PICN")},
        {"PicturePosition", [&] { b.SetPicturePosition(2); }, {"notify PICPOS", "render 2 forced"}},
        {"ColorScheme", [&] { b.SetColorScheme(3); }, up("COLTYPE")},
        {"Caption", [&] { b.SetCaption("&Order"); }, up("TX")},
        {"FontSize", [&] { b.SetFontSize(12); }, {"render 0 forced"}},
        {"Font",
         [&] {
             b.SetFont(FontValue{"Arial", 9.75});
         },
         up("FONT")},
        {"CheckBoxBehaviour", [&] { b.SetCheckBoxBehaviour(true); }, current("CHECK")},
        {"Value, toggle", [&] { b.SetValue(false); }, up("VALUE")},
        {"Enabled", [&] { b.SetEnabled(false); }, up("ENAB")},
    };
    for (const auto& [property, set, expected] : cases) {
        b.RenderButton(button::kStateDown, true);
        log.clear();
        set();
        EXPECT_EQ(log, expected) << property;
    }
    EXPECT_FALSE(IsWindowEnabled(b.hwnd()));
    EXPECT_EQ(b.AccessKeys(), "o");
}

namespace {

const char* kEverySetting =
    "BTYPE = 3\nTX = \"&Order now\"\nENAB = False\nFONT = Font(\"Arial\", 9.75, Bold Italic Underline "
    "Strikethrough)\n"
    "COLTYPE = 2\nFOCUSR = False\nBCOL = &H00112233&\nBCOLO = &H00445566&\nFCOL = &H8000000F&\nFCOLO = "
    "&H00778899&\n"
    "MCOL = &H00FF00FF&\nMPTR = 99\nMICON = Picture(\"CURSOR_ARROW\")\nPICN = Picture(\"ICON_ORDER\")\n"
    "PICH = Picture(\"ICON_RETURN\")\nUMCOL = False\nSOFT = True\nPICPOS = 3\nNGREY = True\nFX = 2\nCHECK = "
    "True\n"
    "VALUE = True\n";

}  // namespace

TEST_F(ButtonProperties, WritingStoresAllKeysInOrderWithTheirTypes) {
    LayoutNode saved = Make(120, 32, kEverySetting).SaveToLayout();
    std::string written;
    const char* kinds[] = {"nothing", "number", "real", "truth", "text", "font", "picture"};
    for (const LayoutProperty& p : saved.properties) {
        if (IsExtenderKey(p.key)) continue;
        auto* number = std::get_if<WholeNumber>(&p.value);
        written += p.key + " " + (number && number->hex ? "hex" : kinds[p.value.index()]) + ", ";
    }
    EXPECT_EQ(
        written,
        "BTYPE number, TX text, ENAB truth, FONT font, COLTYPE number, FOCUSR truth, BCOL hex, BCOLO hex, "
        "FCOL hex, FCOLO hex, MCOL hex, MPTR number, MICON picture, PICN picture, PICH picture, UMCOL truth, "
        "SOFT truth, PICPOS number, NGREY truth, FX number, CHECK truth, VALUE truth, ");
}

TEST_F(ButtonProperties, AWrittenBlockReadBackGivesTheSameButton) {
    for (const char* settings : {kEverySetting, ""}) {
        TamrixButton& original = Make(120, 32, settings);
        LayoutNode saved = original.SaveToLayout();
        LayoutNode root;
        root.className = "Page";
        root.name = "frmRoundTrip";
        root.properties = {{"Width", WholeNumber{6000}, 0},
                           {"Height", WholeNumber{4500}, 0},
                           {"BackColor", WholeNumber{0xFFC0C0, true}, 0}};
        root.children.push_back(saved);
        auto copyPage = testing_support::MakeButtonPage(app, WriteLayout(root));
        copyPage->Load();
        copyPage->Show();
        ASSERT_TRUE(copyPage->Diagnostics().empty()) << copyPage->Diagnostics().front().ToString();
        auto& copy = copyPage->Get<TamrixButton>("cmdTest");
        SetFocus(nullptr);  // neither shows a focus rectangle
        testing_support::Pump(app);
        EXPECT_EQ(WriteLayout(copy.SaveToLayout()), WriteLayout(saved));
        EXPECT_EQ(testing_support::CaptureSurface(copy), testing_support::CaptureSurface(original))
            << settings;
        copyPage->UnloadWithoutAsking();
    }
}

TEST_F(ButtonProperties, MissingKeysTakeTheirDefaults) {
    TamrixButton& b = Make(80, 24, "TX = \"Only a caption\"\nBCOL = &H00336699&\n");
    EXPECT_EQ(b.ButtonType(), 2);        // no style of its own
    EXPECT_EQ(b.ColorScheme(), 1);       // system colours
    EXPECT_EQ(b.BackOver(), 0x336699u);  // the hover colour defaults to the face read just before it
}
