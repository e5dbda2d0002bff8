// Stored settings: every key written every time with its type, a written block read back gives the
// same button, missing keys take their defaults, and faulty values are reported by page, control and key.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"

using button::TamrixButton;
using testing_support::MakeButton;
using testing_support::MakeButtonPage;
using namespace platform;

namespace {

const char* kEverySetting =
    "BTYPE = 3\n"
    "TX = \"&Order now\"\n"
    "ENAB = False\n"
    "FONT = Font(\"Arial\", 9.75, Bold Italic Underline Strikethrough)\n"
    "COLTYPE = 2\n"
    "FOCUSR = False\n"
    "BCOL = &H00112233&\n"
    "BCOLO = &H00445566&\n"
    "FCOL = &H8000000F&\n"
    "FCOLO = &H00778899&\n"
    "MCOL = &H00FF00FF&\n"
    "MPTR = 99\n"
    "MICON = Picture(\"CURSOR_ARROW\")\n"
    "PICN = Picture(\"ICON_ORDER\")\n"
    "PICH = Picture(\"ICON_RETURN\")\n"
    "UMCOL = False\n"
    "SOFT = True\n"
    "PICPOS = 3\n"
    "NGREY = True\n"
    "FX = 2\n"
    "CHECK = True\n"
    "VALUE = True\n";

// The button's own keys of a saved block, in their order.
std::vector<std::string> OwnKeys(const LayoutNode& node) {
    std::vector<std::string> keys;
    for (const LayoutProperty& p : node.properties)
        if (!IsExtenderKey(p.key)) keys.push_back(p.key);
    return keys;
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

TEST(ButtonPersistence, WritingStoresAllKeysInOrderWithTheirTypes) {
    Application app;
    auto fixture = MakeButton(app, 120, 32, kEverySetting);
    LayoutNode saved = fixture.button->SaveToLayout();
    std::vector<std::string> expectedKeys(std::begin(button::kStoredSettingsKeys),
                                          std::end(button::kStoredSettingsKeys));
    EXPECT_EQ(OwnKeys(saved), expectedKeys);

    auto value = [&saved](const char* key) { return saved.Find(key)->value; };
    for (const char* key : {"BTYPE", "COLTYPE", "MPTR", "PICPOS", "FX"}) {
        ASSERT_TRUE(std::holds_alternative<WholeNumber>(value(key))) << key;
        EXPECT_FALSE(std::get<WholeNumber>(value(key)).hex) << key;
    }
    for (const char* key : {"BCOL", "BCOLO", "FCOL", "FCOLO", "MCOL"}) {
        ASSERT_TRUE(std::holds_alternative<WholeNumber>(value(key))) << key;
        EXPECT_TRUE(std::get<WholeNumber>(value(key)).hex) << key;
    }
    for (const char* key : {"ENAB", "FOCUSR", "UMCOL", "SOFT", "NGREY", "CHECK", "VALUE"})
        EXPECT_TRUE(std::holds_alternative<bool>(value(key))) << key;
    EXPECT_EQ(std::get<FontValue>(value("FONT")), (FontValue{"Arial", 9.75, true, true, true, true}));
    EXPECT_EQ(std::get<WholeNumber>(value("FCOL")).value, 0x8000000F);  // the reference, not its colour
    EXPECT_EQ(std::get<PictureRef>(value("MICON")).resource, "CURSOR_ARROW");

    // A new button writes all 22 keys too, with Nothing for its pictures.
    auto fresh = MakeButton(app, 80, 24, "");
    LayoutNode freshSaved = fresh.button->SaveToLayout();
    EXPECT_EQ(OwnKeys(freshSaved), expectedKeys);
    EXPECT_TRUE(std::holds_alternative<Nothing>(freshSaved.Find("PICN")->value));
}

TEST(ButtonPersistence, AWrittenBlockReadBackGivesTheSameButton) {
    Application app;
    for (const char* settings :
         {kEverySetting, "BTYPE = 14\nTX = \"Home && Office\"\nPICN = Picture(\"ICON_WELCOME\")\n",
          "BTYPE = 11\nCOLTYPE = 3\nTX = \"See &through\"\nFX = 1\n", ""}) {
        auto original = MakeButton(app, 120, 32, settings);
        LayoutNode saved = original.button->SaveToLayout();
        std::string text = PageAround(saved);
        ParsedLayout reparsed = ParseLayout(text);
        ASSERT_TRUE(reparsed.ok()) << reparsed.diagnostics.front().ToString() << "\n" << text;

        auto copyPage = MakeButtonPage(app, text);
        copyPage->Load();
        copyPage->Show();
        ASSERT_TRUE(copyPage->Diagnostics().empty()) << copyPage->Diagnostics().front().ToString();
        auto& copy = copyPage->Get<TamrixButton>("cmdTest");
        SetFocus(nullptr);  // neither shows a focus rectangle
        testing_support::Pump(app);
        // Saved again, the copy gives the same block; it has the same layout and looks the same.
        EXPECT_EQ(WriteLayout(copy.SaveToLayout()), WriteLayout(saved));
        EXPECT_EQ(Derived(copy), Derived(*original.button)) << settings;
        EXPECT_EQ(testing_support::CaptureSurface(copy), testing_support::CaptureSurface(*original.button))
            << "the two buttons look different for\n"
            << settings;
        copyPage->UnloadWithoutAsking();
        original.page->UnloadWithoutAsking();
    }
}

TEST(ButtonPersistence, MissingKeysTakeTheirDefaults) {
    Application app;
    auto fixture = MakeButton(app, 80, 24, "TX = \"Only a caption\"\n");
    TamrixButton& b = *fixture.button;
    EXPECT_EQ(b.ButtonType(), 2);   // no style of its own
    EXPECT_EQ(b.ColorScheme(), 1);  // system colours
    EXPECT_TRUE(b.Enabled() && b.ShowFocusRect() && b.UseMaskColor());
    EXPECT_EQ(b.Font(), fixture.page->PageFont());
    EXPECT_EQ(b.BackOver(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(b.ForeOver(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
    EXPECT_FALSE(b.MouseIcon() || b.PictureNormal() || b.PictureOver());
    EXPECT_FALSE(b.SoftBevel() || b.UseGreyscale() || b.CheckBoxBehaviour() || b.Value());
    EXPECT_EQ(b.MousePointer() + b.PicturePosition() + b.SpecialEffect(), 0);
    // Style 2 has no inset focus rectangle.
    EXPECT_EQ(b.fields().FocusRect.left, 0);
    fixture.page->UnloadWithoutAsking();

    // The hover colours default to the colours read just before them.
    auto colours = MakeButton(app, 80, 24, "BCOL = &H00336699&\nFCOL = &H00000080&\n");
    EXPECT_EQ(colours.button->BackOver(), 0x336699u);
    EXPECT_EQ(colours.button->ForeOver(), 0x000080u);
}

TEST(ButtonPersistence, FaultyValuesAreReportedByPageControlAndKey) {
    Application app;
    testing_support::FakeSystem system;
    auto fixture = MakeButton(app, 80, 24,
                              "BTYPE = \"abc\"\n"
                              "TX = \"unterminated\n"
                              "FONT = Font(\"Arial\", 9\n"
                              "COLTYPE = 99999999999\n"
                              "BCOL = &H1FFFFFFFF&\n"
                              "FCOL = Picture(\"ICON_ORDER\")\n"
                              "MPTR = 70000\n"
                              "MICON = Picture(\"JPG_GLASS\")\n"
                              "PICN = Picture(\"NO_SUCH_PICTURE\")\n"
                              "FX = 3\n"
                              "ZORK = 1\n"
                              "ENAB =\n");
    TamrixButton& b = *fixture.button;
    std::vector<std::string> reported;
    for (const LayoutDiagnostic& d : fixture.page->Diagnostics()) {
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
