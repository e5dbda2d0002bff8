// The button under high contrast: its own shape and layout in the system's button face, text, highlight
// and grey-text colours, the focus rectangle whenever it has the focus; and, once high contrast is
// turned off, exactly the look it had before.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::Hex;
using testing_support::Paint;
using testing_support::Pixels;

namespace {

class HighContrastButton : public testing_support::ButtonTest {
protected:
    testing_support::FakeSystem system;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);

    // The colour of each of the given pixels, "x,y=colour" in words: face, text, highlight, grey.
    std::string Words(const Pixels& pixels, std::initializer_list<std::pair<int, int>> at) {
        std::string words;
        for (auto [x, y] : at) {
            COLORREF c = pixels.at(x, y);
            std::string word = c == face        ? "face"
                               : c == text      ? "text"
                               : c == highlight ? "highlight"
                               : c == grey      ? "grey"
                                                : Hex(c);
            words += std::to_string(x) + "," + std::to_string(y) + "=" + word + " ";
        }
        return words;
    }
};

// Shaded, orange, its caption in maroon and a green hover face: none of these may show.
const char* kOrange =
    "BTYPE = 14\nCOLTYPE = 2\nBCOL = &H000080FF&\nBCOLO = &H0000FF00&\nFCOL = &H00000080&\n"
    "FCOLO = &H00000080&\nFOCUSR = False\nTX = \"Go &on\"\n";

TEST_F(HighContrastButton, PaintsItsShapeAndCaptionInTheSystemColoursOnly) {
    TamrixButton& b = Make(80, 24, kOrange);
    std::vector<Pixels> normal = {Paint(b, kStateUp), Paint(b, kStateUp, true), Paint(b, kStateDown),
                                  Paint(b, kStateUp, false, true)};
    system.highContrast = true;

    Pixels up = Paint(b, kStateUp);
    EXPECT_EQ(Words(up, {{0, 0}, {79, 23}, {40, 0}, {0, 12}, {1, 1}, {78, 22}, {40, 2}}),
              "0,0=text 79,23=text 40,0=text 0,12=text 1,1=face 78,22=face 40,2=face ");
    const RECT& caption = b.fields().CaptionRect;
    int captionText = up.Count(text, caption.left, caption.top, caption.right, caption.bottom);
    EXPECT_GT(captionText, 20);
    // None of the button's own colours is left (its ramp, frame, caption and their shades).
    int own = 0;
    for (int py = 0; py < 24; ++py)
        for (int px = 0; px < 80; ++px)
            if (normal[0].at(px, py) != face && normal[0].at(px, py) != text)
                own += up.Count(normal[0].at(px, py));
    EXPECT_EQ(own, 0);

    Pixels hover = Paint(b, kStateUp, true);
    EXPECT_EQ(Words(hover, {{0, 0}, {1, 1}, {2, 2}, {78, 22}}),
              "0,0=highlight 1,1=highlight 2,2=face 78,22=highlight ");
    EXPECT_EQ(hover.Count(text, caption.left, caption.top, caption.right, caption.bottom), captionText);

    // Down: the frame of the hover look, the caption one pixel right and down.
    Pixels down = Paint(b, kStateDown);
    EXPECT_EQ(Words(down, {{0, 0}, {1, 1}, {2, 2}}), "0,0=highlight 1,1=highlight 2,2=face ");
    int moved = 0;
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x)
            moved += up.at(x, y) == text && down.at(x + 1, y + 1) == text;
    EXPECT_EQ(moved, captionText);

    // The focus rectangle shows although the button's own setting hides it: along its top edge the
    // dotted pattern leaves face and inverted face in turn.
    Pixels focused = Paint(b, kStateUp, false, true);
    const RECT& f = b.fields().FocusRect;
    EXPECT_GT(f.right - f.left - focused.Count(face, f.left, f.top, f.right, f.top + 1), 10);
    EXPECT_EQ(up.Count(face, f.left, f.top, f.right, f.top + 1), f.right - f.left);

    // Disabled: a grey frame and a grey caption, no text colour anywhere.
    b.SetEnabled(false);
    Pixels disabled = Paint(b, kStateUp);
    EXPECT_EQ(Words(disabled, {{0, 0}, {1, 1}}), "0,0=grey 1,1=face ");
    EXPECT_EQ(disabled.Count(text), 0);
    EXPECT_EQ(disabled.Count(grey, caption.left, caption.top, caption.right, caption.bottom), captionText);
    b.SetEnabled(true);

    // Turned off, every look is the one it was.
    system.highContrast = false;
    std::vector<Pixels> again = {Paint(b, kStateUp), Paint(b, kStateUp, true), Paint(b, kStateDown),
                                 Paint(b, kStateUp, false, true)};
    EXPECT_TRUE(again == normal);
}

TEST_F(HighContrastButton, TheDefaultButtonHasADoubleFrameAndThePictureKeepsItsPlace) {
    platform::Picture picture = testing_support::MakeBitmapPicture(
        {{0x0000FF, 0x0000FF, 0xC0C0C0}, {0x0000FF, 0xC0C0C0, 0xC0C0C0}, {0xC0C0C0, 0xC0C0C0, 0xC0C0C0}},
        "corner");
    TamrixButton& b = Make(80, 24, std::string(kOrange) + "Default = True\n");
    b.SetPictureNormal(picture);
    int x = b.fields().PictureRect.x;
    int y = b.fields().PictureRect.y;
    system.highContrast = true;
    Pixels up = Paint(b, kStateUp);
    EXPECT_EQ(Words(up, {{0, 0}, {1, 1}, {2, 2}}), "0,0=text 1,1=text 2,2=face ");
    // The picture in its colours at its place, its mask colour showing the face.
    EXPECT_EQ(Hex(up.at(x, y)) + Hex(up.at(x + 1, y)) + Hex(up.at(x + 2, y)),
              Hex(0x0000FF) + Hex(0x0000FF) + Hex(face));
    EXPECT_EQ(Hex(Paint(b, kStateDown).at(x + 1, y + 1)), Hex(0x0000FF));
}

}  // namespace
