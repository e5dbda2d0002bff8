// Each property setter, what it stores and what it does in order (repaints and stored-setting notices),
// and each stored setting: its default when missing, its value for a new button, and that it is
// written as it was read, in its order.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::TamrixButton;
using TestAccess = button::TamrixButtonTestAccess;
using ButtonProperties = testing_support::ButtonTest;
using namespace platform;

TEST_F(ButtonProperties, EachSetterStoresRepaintsAndNotifiesInItsOrder) {
    const char* ownGrey =
        "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nBCOLO = &H00C0C0C0&\nFCOL = 0\nFCOLO = 0\n";
    TamrixButton& b = Make(80, 24, ownGrey);
    TamrixButton& bare = Make(80, 24, ownGrey);  // never gets a picture, never toggles
    Picture icon = PageOf().Pictures().Get("ICON_ORDER"), cursor = PageOf().Pictures().Get("CURSOR_ARROW");
    Picture bitmap = testing_support::MakeBitmapPicture({{0}}, "DOT");
    const FontValue arial{"Arial", 9.75};
    SetFocus(nullptr);  // disabling a focused button also takes its focus, which repaints it once more
    auto designMode = [](TamrixButton& button, auto set) {
        button.SetUserMode(false), set(), button.SetUserMode(true);
    };
    auto hovered = [&](auto set) {
        TestAccess::SetPointerOver(b, true), set(), TestAccess::SetPointerOver(b, false);
    };
    // Each setter on a button that shows its down look: what it stores, then what it did in order, the
    // repaint it caused ("current" look, or "up" look) and the keys of its notices.
    const std::tuple<const char*, TamrixButton*, std::function<void()>, std::function<bool()>, const char*>
        rows[] = {
            {"BackColor", &b, [&] { b.SetBackColor(0x112233); },
             [&] { return b.BackColor() == 0x112233 && b.BackOver() == 0xC0C0C0; }, "current, BCOL"},
            {"BackColor, design mode", &b, [&] { designMode(b, [&] { b.SetBackColor(0x445566); }); },
             [&] { return b.BackOver() == 0x445566; }, "current, BCOL"},
            {"BackOver", &b, [&] { b.SetBackOver(0x778899); }, [&] { return b.BackOver() == 0x778899; },
             "current, BCOLO"},
            {"ForeColor", &b, [&] { b.SetForeColor(0x000080); },
             [&] { return b.ForeColor() == 0x000080 && b.ForeOver() == 0; }, "current, FCOL"},
            {"ForeColor, design mode", &b, [&] { designMode(b, [&] { b.SetForeColor(0x008000); }); },
             [&] { return b.ForeOver() == 0x008000; }, "current, FCOL"},
            {"ForeOver", &b, [&] { b.SetForeOver(0x800000); }, [&] { return b.ForeOver() == 0x800000; },
             "current, FCOLO"},
            {"MaskColor", &b, [&] { b.SetMaskColor(0xFF00FF); }, [&] { return b.MaskColor() == 0xFF00FF; },
             "current, MCOL"},
            {"ButtonType", &b, [&] { b.SetButtonType(3); }, [&] { return b.ButtonType() == 3; }, "up, BTYPE"},
            {"Caption", &b, [&] { b.SetCaption("&Order"); },
             [&] { return b.Caption() == "&Order" && b.AccessKeys() == "o"; }, "up, TX"},
            {"Enabled", &b, [&] { b.SetEnabled(false); },
             [&] { return !b.Enabled() && !IsWindowEnabled(b.hwnd()); }, "up, ENAB"},
            {"Font", &b, [&] { b.SetFont(arial); }, [&] { return b.Font() == arial; }, "up, FONT"},
            {"FontBold", &b, [&] { b.SetFontBold(true); }, [&] { return b.FontBold(); }, "up"},
            {"FontItalic", &b, [&] { b.SetFontItalic(true); }, [&] { return b.FontItalic(); }, "up"},
            {"FontUnderline", &b, [&] { b.SetFontUnderline(true); }, [&] { return b.FontUnderline(); }, "up"},
            {"FontSize", &b, [&] { b.SetFontSize(12); }, [&] { return b.FontSize() == 12; }, "up"},
            {"FontName", &b, [&] { b.SetFontName("Courier New"); },
             [&] { return b.FontName() == "Courier New"; }, "up"},
            {"ColorScheme", &b, [&] { b.SetColorScheme(3); }, [&] { return b.ColorScheme() == 3; },
             "up, COLTYPE"},
            {"ShowFocusRect", &b, [&] { b.SetShowFocusRect(false); }, [&] { return !b.ShowFocusRect(); },
             "current, FOCUSR"},
            {"MousePointer", &b, [&] { b.SetMousePointer(99); }, [&] { return b.MousePointer() == 99; },
             "MPTR"},
            {"MouseIcon", &b, [&] { b.SetMouseIcon(cursor); }, [&] { return b.MouseIcon().SameAs(cursor); },
             "MICON"},
            {"MouseIcon, not a pointer", &b, [&] { b.SetMouseIcon(bitmap); },
             [&] { return b.MouseIcon().SameAs(cursor); }, "MICON"},
            {"SoftBevel", &b, [&] { b.SetSoftBevel(true); }, [&] { return b.SoftBevel(); }, "current, SOFT"},
            {"PictureNormal", &b, [&] { b.SetPictureNormal(icon); },
             [&] { return b.PictureNormal().SameAs(icon); }, "current, PICN"},
            {"PictureOver, pointer away", &b, [&] { b.SetPictureOver(icon); },
             [&] { return b.PictureOver().SameAs(icon); }, "PICO"},
            {"PictureOver, pointer over", &b, [&] { hovered([&] { b.SetPictureOver(cursor); }); },
             [&] { return b.PictureOver().SameAs(cursor); }, "current, PICO"},
            {"PicturePosition", &b, [&] { b.SetPicturePosition(2); },
             [&] { return b.PicturePosition() == 2; }, "PICPOS, current"},
            {"UseMaskColor", &b, [&] { b.SetUseMaskColor(false); }, [&] { return !b.UseMaskColor(); },
             "current, UMCOL"},
            {"UseMaskColor, no picture", &bare, [&] { bare.SetUseMaskColor(false); },
             [&] { return !bare.UseMaskColor(); }, "UMCOL"},
            {"UseGreyscale", &b, [&] { b.SetUseGreyscale(true); }, [&] { return b.UseGreyscale(); },
             "current, NGREY"},
            {"UseGreyscale, no picture", &bare, [&] { bare.SetUseGreyscale(true); },
             [&] { return bare.UseGreyscale(); }, "NGREY"},
            {"SpecialEffect", &b, [&] { b.SetSpecialEffect(1); }, [&] { return b.SpecialEffect() == 1; },
             "current, FX"},
            {"CheckBoxBehaviour", &b, [&] { b.SetCheckBoxBehaviour(true); },
             [&] { return b.CheckBoxBehaviour(); }, "current, CHECK"},
            {"Value", &b, [&] { b.SetValue(false); }, [&] { return !b.Value(); }, "up, VALUE"},
            {"Value, no toggling", &bare, [&] { bare.SetValue(true); }, [&] { return bare.Value(); },
             "VALUE"},
        };
    for (const auto& [property, button, set, stored, expected] : rows) {
        button->RenderButton(button::kStateDown, true);
        testing_support::SurfaceWatch surface(*button);
        bool painted = false;
        std::string seen;
        auto notePaint = [&] {
            if (painted || !(painted = surface.Painted())) return;
            seen += button->fields().LastState == button::kStateUp ? "up, " : "current, ";
        };
        button->OnPropertyChanged = [&](std::string_view key) {
            notePaint(), seen += std::string(key) + ", ";
        };
        set();
        notePaint();
        EXPECT_EQ(seen, expected + std::string(", ")) << property;
        EXPECT_TRUE(stored()) << property;
    }
}

namespace {

// The stored settings a button writes, one "KEY = value" line each, in the order written.
std::string SettingsOf(TamrixButton& button) {
    std::string settings;
    for (const LayoutProperty& p : button.SaveToLayout().properties) {
        if (IsExtenderKey(p.key)) continue;
        LayoutNode one;
        one.properties = {p};
        std::string line = WriteLayout(one);  // "Begin  \n    KEY = value\nEnd\n"
        line = line.substr(line.find(p.key));
        settings += line.substr(0, line.find('\n') + 1);
    }
    return settings;
}

}  // namespace

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
        std::string written = SettingsOf(Make(120, 32, block));
        EXPECT_EQ(written, expected) << "read from:\n" << block;
        EXPECT_EQ(SettingsOf(Make(120, 32, written)), written) << "read back";
    }
    // The hover colours default to the colours read just before them.
    TamrixButton& b = Make(120, 32, "BCOL = &H00336699&\nFCOL = &H00996633&\n");
    EXPECT_EQ(b.BackOver() * 0x1000000ull + b.ForeOver(), 0x336699ull * 0x1000000 + 0x996633);
}

TEST_F(ButtonProperties, TheCaptionGivesTheAccessKeyAndTheTextAScreenReaderHears) {
    TamrixButton& b = Make(80, 24, "BTYPE = 14\n");
    // Caption, access key (lower case), and the caption as shown.
    const std::tuple<const char*, const char*, const char*> captions[] = {
        {"&Return", "r", "Return"},
        {"Print\r\nOrder &Form", "f", "Print\r\nOrder Form"},
        {"&1", "1", "1"},
        {"Home && Office", "", "Home & Office"},
        {"R&ock &Roll", "o", "Rock Roll"},    // the first marker
        {"Fish &", "", "Fish "},              // a marker at the end marks nothing
        {"A && B &Cd", "c", "A & B Cd"},      // one escaped pair before the marker is passed over
        {"A && B && &Cd", "", "A & B & Cd"},  // a second one is not
        {"&&&x", "x", "&x"},
        {"a&&&&b", "", "a&&b"},
        {"&", "", ""},
        {"x", "", "x"},
    };
    for (const auto& [caption, key, shown] : captions) {
        b.SetCaption(caption);
        char heard[64] = "";
        GetWindowTextA(b.hwnd(), heard, sizeof heard);
        EXPECT_EQ(b.AccessKeys() + "|" + heard, std::string(key) + "|" + shown) << caption;
    }
}
