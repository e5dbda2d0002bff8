// Pictures: mask colour on bitmaps and icons, every pixel in its place, grey tones, the embossed and
// grey disabled looks, relief effects, the hover picture, and where the picture goes by position.
#include <gtest/gtest.h>

#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::CaptureSurface;
using testing_support::Hex;
using testing_support::MakeBitmapPicture;
using testing_support::Paint;
using testing_support::Pixels;
using ButtonPicture = testing_support::ButtonTest;
using Rows = std::vector<std::vector<COLORREF>>;

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kGreen = 0x00FF00;
const Rows kGreys = {{kRed, kGreen, kBlue, 0x808080}};
const COLORREF kGreyed[] = {0x4C4C4C, 0x969696, 0x1C1C1C, 0x808080};  // 76, 150, 28, 128

// A flat green button of style 0 (face and picture only), without caption: the picture is centred.
const char* kFlatGreen = "BTYPE = 0\nCOLTYPE = 2\nBCOL = &H0000FF00&\nBCOLO = &H0000FF00&\nTX = \"\"\n";

Rows Filled(int width, int height, COLORREF colour) {
    return Rows(static_cast<std::size_t>(height), std::vector<COLORREF>(static_cast<std::size_t>(width), colour));
}

// A 32 x 32 icon: a blue 16 x 16 square in the middle, transparent around it.
platform::Picture MakeSquareIcon() {
    platform::WindowDC screen(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen.get(), 32, 32);
    {
        platform::MemoryDC memory(screen.get());
        platform::Selection selection(memory.get(), colour);
        RECT all{0, 0, 32, 32};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        platform::Brush blue(CreateSolidBrush(kBlue));
        RECT middle{8, 8, 24, 24};
        FillRect(memory.get(), &middle, blue.get());
    }
    std::vector<std::uint8_t> maskBits(32 * 4, 0xFF);  // a set bit is transparent; rows of 32 bits
    for (int y = 8; y < 24; ++y) maskBits[std::size_t(y) * 4 + 1] = maskBits[std::size_t(y) * 4 + 2] = 0x00;
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return platform::Picture::FromIcon(icon, true, "TEST_ICON");
}

}  // namespace

TEST_F(ButtonPicture, TheMaskColourShowsTheFaceOrIsDrawnOnBitmapsAndIcons) {
    TamrixButton& b = Make(40, 30, kFlatGreen);
    Rows rows = Filled(16, 16, kRed);
    for (auto& row : rows) std::fill(row.begin() + 8, row.end(), kSilver);
    b.SetPictureNormal(MakeBitmapPicture(rows, "HALF_SILVER"));
    const auto& r = b.fields().PictureRect;
    EXPECT_EQ(std::vector<int>({r.x, r.y, r.width}), std::vector<int>({12, 7, 16}));
    Pixels masked = Paint(b, kStateUp);
    EXPECT_EQ(masked.Count(kRed, 12, 7, 20, 23), 8 * 16);
    EXPECT_EQ(masked.Count(kGreen, 20, 7, 28, 23), 8 * 16);
    b.SetUseMaskColor(false);
    EXPECT_EQ(CaptureSurface(b).Count(kSilver, 20, 7, 28, 23), 8 * 16);

    // An icon's transparent parts come out in the mask colour, which is then taken out again.
    TamrixButton& i = Make(60, 40, kFlatGreen);
    i.SetPictureNormal(MakeSquareIcon());
    const int x = i.fields().PictureRect.x, y = i.fields().PictureRect.y;
    Pixels icon = Paint(i, kStateUp);
    EXPECT_EQ(icon.Count(kBlue, x + 8, y + 8, x + 24, y + 24), 16 * 16);
    EXPECT_EQ(icon.Count(kGreen), 60 * 40 - 16 * 16);
    i.SetUseMaskColor(false);
    EXPECT_EQ(CaptureSurface(i).Count(kSilver, x, y, x + 32, y + 32), 32 * 32 - 16 * 16);
}

TEST_F(ButtonPicture, AnOddWidthPictureLandsPixelForPixel) {
    TamrixButton& b = Make(40, 30, kFlatGreen);
    // 15 pixels wide: rows of 45 bytes padded to 48. Each pixel has a colour of its own.
    Rows rows(5, std::vector<COLORREF>(15));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 15; ++x) rows[std::size_t(y)][std::size_t(x)] = RGB(16 * x + 1, 40 * y + 1, 99);
    b.SetPictureNormal(MakeBitmapPicture(rows, "ODD"));
    ASSERT_EQ(b.fields().PictureRect.x * 100 + b.fields().PictureRect.y, 1212);
    Pixels p = Paint(b, kStateUp);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(Hex(p.at(12 + x, 12 + y)), Hex(rows[std::size_t(y)][std::size_t(x)])) << x << "," << y;
    EXPECT_EQ(p.Count(kGreen), 40 * 30 - 15 * 5);
}

TEST_F(ButtonPicture, GreyscaleShowsInTheUpLookWithoutThePointerAndMovedByOneWhenFramedAndDisabled) {
    TamrixButton& b = Make(40, 30, std::string(kFlatGreen) + "NGREY = True\n");
    b.SetPictureNormal(MakeBitmapPicture(kGreys, "GREYS"));
    const int x = b.fields().PictureRect.x, y = b.fields().PictureRect.y;
    Pixels grey = Paint(b, kStateUp);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(grey.at(x + i, y)), Hex(kGreyed[i])) << i;
    EXPECT_EQ(Hex(Paint(b, kStateUp, true).at(x, y)), Hex(kRed));  // the pointer over shows the colours
    Pixels down = Paint(b, kStateDown);  // and so does the down look, one pixel right and down
    EXPECT_EQ(Hex(down.at(x + 1, y + 1)), Hex(kRed));
    EXPECT_EQ(Hex(down.at(x + 3, y + 1)), Hex(kBlue));

    TamrixButton& framed = Make(40, 30, "BTYPE = 3\nCOLTYPE = 3\nTX = \"\"\nENAB = False\nNGREY = False\n");
    framed.SetPictureNormal(MakeBitmapPicture(kGreys, "GREYS"));
    const auto& r = framed.fields().PictureRect;
    Pixels p = Paint(framed, kStateUp);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Hex(p.at(r.x + 1 + i, r.y + 1)), Hex(kGreyed[i])) << i;
    EXPECT_EQ(Hex(p.at(r.x, r.y)), Hex(0xD2D8D8));  // the flat disabled face
}

TEST_F(ButtonPicture, DisabledShadedStyleEmbossesTheDarkPixels) {
    TamrixButton& b = Make(40, 30, "BTYPE = 14\nCOLTYPE = 3\nTX = \"\"\nENAB = False\n");
    Pixels face = Paint(b, kStateUp);
    // Rows: black, white, dark grey (300 <= 384), light grey (600 > 384).
    const COLORREF rowColours[] = {0x000000, 0xFFFFFF, 0x646464, 0xC8C8C8};
    Rows rows;
    for (COLORREF c : rowColours) rows.push_back(Filled(4, 1, c)[0]);
    auto isDark = [&](int x, int y) { return x >= 0 && y >= 0 && x <= 3 && (y == 0 || y == 2); };
    b.SetPictureNormal(MakeBitmapPicture(rows, "EMBOSS"));
    const int px = b.fields().PictureRect.x, py = b.fields().PictureRect.y;
    Pixels embossed = Paint(b, kStateUp);
    for (int y = -1; y <= 5; ++y) {
        for (int x = -1; x <= 5; ++x) {
            COLORREF expected = isDark(x, y)           ? 0x808080  // shadow in place
                                : isDark(x - 1, y - 1) ? 0xFFFFFF  // highlight one right and down
                                                       : face.at(px + x, py + y);
            EXPECT_EQ(Hex(embossed.at(px + x, py + y)), Hex(expected)) << x << "," << y;
        }
    }
}

TEST_F(ButtonPicture, SpecialEffectsCopyTheSilhouetteAroundThePictureButNotTheHoverPicture) {
    TamrixButton& b = Make(40, 30, kFlatGreen);
    b.SetPictureNormal(MakeBitmapPicture(Filled(4, 4, kRed), "RED4"));
    const int x = b.fields().PictureRect.x, y = b.fields().PictureRect.y;
    const COLORREF dark = 0x00D700;
    const COLORREF light = 0x28FF28;
    struct Case {
        int effect;
        COLORREF belowRight, aboveLeft;
    };
    for (const Case& c : {Case{3, dark, kGreen}, Case{1, dark, light}, Case{2, light, dark}, Case{0, kGreen, kGreen}}) {
        b.SetSpecialEffect(c.effect);
        Pixels p = Paint(b, kStateUp);
        EXPECT_EQ(p.Count(kRed, x, y, x + 4, y + 4), 16) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 4, y + 2)), Hex(c.belowRight)) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 2, y + 4)), Hex(c.belowRight)) << c.effect;
        EXPECT_EQ(Hex(p.at(x - 1, y + 1)), Hex(c.aboveLeft)) << c.effect;
        EXPECT_EQ(Hex(p.at(x + 5, y + 2)), Hex(kGreen)) << c.effect;
    }
    // Pressed, the picture and its effect move one pixel right and down.
    b.SetSpecialEffect(3);
    Pixels down = Paint(b, kStateDown);
    EXPECT_EQ(down.Count(kRed, x + 1, y + 1, x + 5, y + 5), 16);
    EXPECT_EQ(Hex(down.at(x + 5, y + 3)), Hex(dark));
    // The hover picture replaces the picture over and down; only the up look gives it a relief.
    b.SetPictureOver(MakeBitmapPicture(Filled(4, 4, kBlue), "BLUE4"));
    Pixels over = Paint(b, kStateUp, true);
    EXPECT_EQ(over.Count(kBlue, x, y, x + 4, y + 4), 16);
    EXPECT_EQ(Hex(over.at(x + 4, y + 2)), Hex(dark));
    down = Paint(b, kStateDown, true);
    EXPECT_EQ(down.Count(kBlue, x + 1, y + 1, x + 5, y + 5), 16);
    EXPECT_EQ(Hex(down.at(x + 5, y + 3)), Hex(kGreen));
    b.SetPictureNormal({});
    EXPECT_EQ(Paint(b, kStateUp, true).Count(kGreen), 40 * 30);  // no normal picture, nothing

    // The framed style's picture relief is based on its lit face.
    TamrixButton& framed = Make(40, 30, "BTYPE = 3\nCOLTYPE = 3\nTX = \"\"\nFX = 3\n");
    framed.SetPictureNormal(MakeBitmapPicture(Filled(4, 4, kRed), "RED4"));
    const auto& r = framed.fields().PictureRect;
    EXPECT_EQ(Hex(Paint(framed, kStateUp).at(r.x + 4, r.y + 2)), Hex(0xC8C8C8));
}

TEST_F(ButtonPicture, PlacementBesideTheCaptionOrCentred) {
    TamrixButton& b = Make(160, 60, "BTYPE = 14\nCOLTYPE = 3\nTX = \"Hi\"\n");
    b.SetPictureNormal(MakeBitmapPicture(Filled(16, 16, kRed), "RED16"));
    const auto& r = b.fields().PictureRect;
    const RECT& c = b.fields().CaptionRect;
    const int midX = (160 - 16) / 2, midY = (60 - 16) / 2;
    for (int position = 0; position <= 4; ++position) {
        b.SetPicturePosition(position);
        const bool placed[] = {r.x + 16 + 6 == c.left && r.y == midY, r.x == c.right + 6 && r.y == midY,
                               r.y + 16 + 2 == c.top && r.x == midX, r.y == c.bottom + 2 && r.x == midX,
                               r.x == midX && r.y == midY};
        EXPECT_TRUE(placed[position]) << position << ": " << r.x << "," << r.y;
        Pixels p = Paint(b, kStateUp);
        int covered = p.Count(kRed, r.x, r.y, r.x + 16, r.y + 16);
        EXPECT_EQ(p.Count(kRed), covered) << position;
        if (position == 4)
            EXPECT_LT(covered, 256);  // the caption is written over the picture
        else
            EXPECT_EQ(covered, 256) << position;
    }
    for (const char* blank : {"", "   "}) {
        b.SetCaption(blank);
        for (int position : {0, 1, 2, 3}) {
            b.SetPicturePosition(position);
            EXPECT_TRUE(r.x == midX && r.y == midY) << position << " '" << blank << "'";
        }
    }
}
