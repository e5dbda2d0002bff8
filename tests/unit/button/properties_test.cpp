// Each property setter, what it stores and what it does in order (repaints and stored-setting notices),
// and that the button then paints as one read from the settings it stores; each stored setting: its
// default when missing, its value for a new button, and that it is written as it was read, in its order.
#include <gtest/gtest.h>

#include <optional>

#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/screen_reader.h"

using button::TamrixButton;
using ButtonProperties = testing_support::ButtonTest;
using namespace platform;

namespace {

// The stored settings a button writes, "KEY = value" each, in the order written.
std::vector<std::string> SettingsOf(TamrixButton& button) {
    std::vector<std::string> settings;
    for (const LayoutProperty& p : button.SaveToLayout().properties) {
        if (IsExtenderKey(p.key)) continue;
        LayoutNode one;
        one.properties = {p};
        std::string line = WriteLayout(one);  // "Begin  \n    KEY = value\nEnd\n"
        line = line.substr(line.find(p.key));
        settings.push_back(line.substr(0, line.find('\n')));
    }
    return settings;
}

}  // namespace

TEST_F(ButtonProperties, EachSetterStoresRepaintsAndNotifiesInItsOrder) {
    const char* ownGrey =
        "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H00C0C0C0&\nFCOL = 0\nFCOLO = 0\nTX = "
        "\"Go\"\n";
    TamrixButton& b = Make(80, 24, ownGrey);
    TamrixButton& bare = Make(80, 24, ownGrey);  // never gets a picture
    Picture icon = PageOf().Pictures().Get("ICON_ORDER"), cursor = PageOf().Pictures().Get("CURSOR_ARROW");
    Picture bitmap = testing_support::MakeBitmapPicture({{0}}, "DOT");
    SetFocus(nullptr);  // disabling a focused button also takes its focus, which repaints it once more
    auto designMode = [&](auto set) { b.SetUserMode(false), set(), b.SetUserMode(true); };
    // Under the pointer: the hover look is painted first, and the watch starts again after it.
    std::optional<testing_support::SurfaceWatch> surface;
    auto hovered = [&](auto set) {
        testing_support::ShowHover(b, true), surface->Mark(), set(), testing_support::ShowHover(b, false);
    };
    // Each setter on a button that shows its down look: what it did, in order (the repaint seen, of the
    // current look or of the up look, and the keys of its notices), and the stored settings it changed.
    const std::tuple<const char*, TamrixButton*, std::function<void()>, const char*, const char*> rows[] = {
        {"BackColor", &b, [&] { b.SetBackColor(0x112233); }, "current, BCOL", "BCOL = &H00112233&"},
        {"BackColor, design mode", &b, [&] { designMode([&] { b.SetBackColor(0x445566); }); },
         "current, BCOL", "BCOL = &H00445566&, BCOLO = &H00445566&"},
        {"BackOver", &b, [&] { b.SetBackOver(0x778899); }, "current, BCOLO", "BCOLO = &H00778899&"},
        {"ForeColor", &b, [&] { b.SetForeColor(0x000080); }, "current, FCOL", "FCOL = &H00000080&"},
        {"ForeColor, design mode", &b, [&] { designMode([&] { b.SetForeColor(0x008000); }); },
         "current, FCOL", "FCOL = &H00008000&, FCOLO = &H00008000&"},
        {"ForeOver", &b, [&] { b.SetForeOver(0x800000); }, "current, FCOLO", "FCOLO = &H00800000&"},
        {"MaskColor", &b, [&] { b.SetMaskColor(0xFF00FF); }, "current, MCOL", "MCOL = &H00FF00FF&"},
        {"Caption", &b, [&] { b.SetCaption("&Order"); }, "up, TX", "TX = \"&Order\""},
        {"Enabled", &b, [&] { b.SetEnabled(false); }, "up, ENAB", "ENAB = False"},
        {"Font", &b,
         [&] {
             b.SetFont({"Arial", 9.75});
         },
         "up, FONT", "FONT = Font(\"Arial\", 9.75)"},
        {"FontBold", &b, [&] { b.SetFontBold(true); }, "up", "FONT = Font(\"Arial\", 9.75, Bold)"},
        {"FontItalic", &b, [&] { b.SetFontItalic(true); }, "up", "FONT = Font(\"Arial\", 9.75, Bold Italic)"},
        {"FontUnderline", &b, [&] { b.SetFontUnderline(true); }, "up",
         "FONT = Font(\"Arial\", 9.75, Bold Italic Underline)"},
        {"FontSize", &b, [&] { b.SetFontSize(12); }, "up",
         "FONT = Font(\"Arial\", 12.0, Bold Italic Underline)"},
        {"FontName", &b, [&] { b.SetFontName("Courier New"); }, "up",
         "FONT = Font(\"Courier New\", 12.0, Bold Italic Underline)"},
        {"ButtonType", &b, [&] { b.SetButtonType(3); }, "up, BTYPE", "BTYPE = 3"},
        {"ColorScheme", &b, [&] { b.SetColorScheme(3); }, "up, COLTYPE", "COLTYPE = 3"},
        {"ShowFocusRect", &b, [&] { b.SetShowFocusRect(false); }, "current, FOCUSR", "FOCUSR = False"},
        {"MousePointer", &b, [&] { b.SetMousePointer(99); }, "MPTR", "MPTR = 99"},
        {"MouseIcon", &b, [&] { b.SetMouseIcon(cursor); }, "MICON", "MICON = Picture(\"CURSOR_ARROW\")"},
        {"MouseIcon, not a pointer", &b, [&] { b.SetMouseIcon(bitmap); }, "MICON", ""},
        {"SoftBevel", &b, [&] { b.SetSoftBevel(true); }, "current, SOFT", "SOFT = True"},
        {"PictureNormal", &b, [&] { b.SetPictureNormal(icon); }, "current, PICN",
         "PICN = Picture(\"ICON_ORDER\")"},
        {"PictureOver, pointer away", &b, [&] { b.SetPictureOver(icon); }, "PICO",
         "PICH = Picture(\"ICON_ORDER\")"},
        {"PictureOver, pointer over", &b, [&] { hovered([&] { b.SetPictureOver(cursor); }); }, "up, PICO",
         "PICH = Picture(\"CURSOR_ARROW\")"},
        {"PicturePosition", &b, [&] { b.SetPicturePosition(2); }, "PICPOS, current", "PICPOS = 2"},
        {"UseMaskColor", &b, [&] { b.SetUseMaskColor(false); }, "current, UMCOL", "UMCOL = False"},
        {"UseMaskColor, no picture", &bare, [&] { bare.SetUseMaskColor(false); }, "UMCOL", "UMCOL = False"},
        {"UseGreyscale", &b, [&] { b.SetUseGreyscale(true); }, "current, NGREY", "NGREY = True"},
        {"UseGreyscale, no picture", &bare, [&] { bare.SetUseGreyscale(true); }, "NGREY", "NGREY = True"},
        {"SpecialEffect", &b, [&] { b.SetSpecialEffect(1); }, "current, FX", "FX = 1"},
        {"Value, not toggling", &b, [&] { b.SetValue(true); }, "VALUE", "VALUE = True"},
        {"CheckBoxBehaviour", &b, [&] { b.SetCheckBoxBehaviour(true); }, "current, CHECK", "CHECK = True"},
        {"Value", &b, [&] { b.SetValue(false); }, "up, VALUE", "VALUE = False"},
    };
    for (const auto& [property, target, set, did, stored] : rows) {
        TamrixButton& t = *target;
        t.RenderButton(button::kStateDown, true);
        std::vector<std::string> before = SettingsOf(t), after;
        surface.emplace(t);
        bool painted = false;
        std::string seen, changed;
        auto notePaint = [&] {
            if (!painted && (painted = surface->Painted()))
                seen += t.fields().LastState == button::kStateUp ? "up, " : "current, ";
        };
        t.OnPropertyChanged = [&](std::string_view key) { notePaint(), seen += std::string(key) + ", "; };
        set();
        notePaint();
        after = SettingsOf(t);
        for (std::size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) changed += (changed.empty() ? "" : ", ") + after[i];
        EXPECT_EQ(seen, did + std::string(", ")) << property;
        EXPECT_EQ(changed, stored) << property;
        // The button paints as one read from the settings it now stores, whatever it worked out before
        // (but for a new style, whose shades are worked out again only at the next colour change: the
        // colour scheme's row, which follows it).
        if (property == std::string("ButtonType")) continue;
        std::string block;
        for (const std::string& line : after) block += line + "\n";
        fixtures_.push_back(testing_support::MakeButton(app, 80, 24, block, false));
        TamrixButton& read = *fixtures_.back().button;
        read.Refresh();  // on a page never shown: the colours and the caption's place as showing makes them
        for (std::uint8_t look : {button::kStateUp, button::kStateDown}) {
            for (TamrixButton* painted : {&t, &read}) painted->RenderButton(look, true);
            EXPECT_TRUE(testing_support::CaptureSurface(t) == testing_support::CaptureSurface(read))
                << property << " in look " << int{look};
        }
    }
    EXPECT_FALSE(IsWindowEnabled(b.hwnd()));
}

TEST_F(ButtonProperties, EachStoredSettingHasItsDefaultAndIsWrittenAsRead) {
    auto colour = [](COLORREF c) {
        char text[16];
        std::snprintf(text, sizeof text, "&H%08lX&", static_cast<unsigned long>(c));
        return std::string(text);
    };
    const std::string face = colour(GetSysColor(COLOR_BTNFACE)), text = colour(GetSysColor(COLOR_BTNTEXT));
    const std::string font = "Font(\"MS Sans Serif\", 8.25)";  // the page's
    // Each key as written by a button read from a block that has every key, which it writes back as it
    // read it; by one read from a block that lacks all but an empty caption; and by a new button.
    const std::tuple<std::string, std::string, std::string, std::string> keys[] = {
        {"BTYPE", "3", "2", "14"},
        {"TX", "\"&Order now\"", "\"\"", "\"cmdTest\""},
        {"ENAB", "False", "True", "True"},
        {"FONT", "Font(\"Arial\", 9.75, Bold Italic Underline Strikethrough)", font, font},
        {"COLTYPE", "2", "1", "2"},
        {"FOCUSR", "False", "True", "True"},
        {"BCOL", "&H00112233&", face, face},
        {"BCOLO", "&H00445566&", face, face},
        {"FCOL", "&H8000000F&", text, text},
        {"FCOLO", "&H00778899&", text, text},
        {"MCOL", "&H00FF00FF&", "&H00C0C0C0&", "&H00C0C0C0&"},
        {"MPTR", "99", "0", "0"},
        {"MICON", "Picture(\"CURSOR_ARROW\")", "Nothing", "Nothing"},
        {"PICN", "Picture(\"ICON_ORDER\")", "Nothing", "Nothing"},
        {"PICH", "Picture(\"ICON_RETURN\")", "Nothing", "Nothing"},
        {"UMCOL", "False", "True", "True"},
        {"SOFT", "True", "False", "False"},
        {"PICPOS", "3", "0", "0"},
        {"NGREY", "True", "False", "False"},
        {"FX", "2", "0", "0"},
        {"CHECK", "True", "False", "False"},
        {"VALUE", "True", "False", "False"},
    };
    std::string every, whenMissing, whenNew;
    for (const auto& [key, value, missing, made] : keys) {
        every += key + " = " + value + "\n";
        whenMissing += key + " = " + missing + "\n";
        whenNew += key + " = " + made + "\n";
    }
    const std::pair<std::string, std::string> blocks[] = {
        {every, every}, {"TX = \"\"\n", whenMissing}, {"", whenNew}};
    for (const auto& [block, expected] : blocks) {
        std::string written;
        for (const std::string& line : SettingsOf(Make(120, 32, block))) written += line + "\n";
        EXPECT_EQ(written, expected) << "read from:\n" << block;
        EXPECT_EQ(SettingsOf(Make(120, 32, written)), SettingsOf(Make(120, 32, expected))) << "read back";
    }
    // The hover colours default to the colours read just before them.
    TamrixButton& b = Make(120, 32, "BCOL = &H00336699&\nFCOL = &H00996633&\n");
    EXPECT_EQ(b.BackOver() * 0x1000000ull + b.ForeOver(), 0x336699ull * 0x1000000 + 0x996633);
}

TEST_F(ButtonProperties, TheCaptionGivesTheAccessKeyAndTheTextAScreenReaderHears) {
    TamrixButton& b = Make(80, 24, "BTYPE = 14\nTX = \"Order &now\"\n");
    EXPECT_EQ(b.AccessKeys() + "|" + testing_support::Hear(b.hwnd()).name, "n|Order now")
        << "read with the caption";
    // Caption, access key (lower case), and the caption as a screen reader hears it.
    const std::tuple<const char*, const char*, const char*> captions[] = {
        {"&Return", "r", "Return"},
        {"Print\r\nOrder &Form", "f", "Print Order Form"},  // a line break is heard as a space
        {"&1", "1", "1"},
        {"Home && Office", "", "Home & Office"},
        {"R&ock &Roll", "o", "Rock Roll"},  // the first marker
        {"Fish &", "", "Fish"},  // a marker at the end marks nothing; the blank before it is not heard
        {"A && B &Cd", "c", "A & B Cd"},      // one escaped pair before the marker is passed over
        {"A && B && &Cd", "", "A & B & Cd"},  // a second one is not
        {"&&&x", "x", "&x"},
        {"a&&&&b", "", "a&&b"},
        {"&", "", ""},
        {"x", "", "x"},
    };
    for (const auto& [caption, key, shown] : captions) {
        b.SetCaption(caption);
        std::string heard = testing_support::Hear(b.hwnd()).name;
        EXPECT_EQ(b.AccessKeys() + "|" + heard, std::string(key) + "|" + shown) << caption;
    }
}
