// The button gallery: the real control painted in every style and look under each colour scheme, and
// with its picture settings, relief effects, soft bevel and kinds of caption, in labelled grids. The
// whole picture must equal, pixel for pixel, the one the README shows (docs/gallery.png): the drawing
// rules fix every pixel of a look, and the fonts of the machine kind the picture was made on (Liberation
// Sans under Wine) fix the text. A difference names the cells that changed. What was painted goes to
// gallery/actual.png in the build folder, the differences to gallery/difference.png;
// scripts/regenerate_gallery.sh makes the painted picture the committed one when the drawing is meant
// to change.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/win32/font.h"
#include "platform/win32/units.h"
#include "png_file.h"
#include "support/button_page.h"
#include "support/button_surface.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::Pixels;

namespace {

// Sizes in pixels: a button, a tall one (a picture above or below the caption, two-line captions), the
// space between buttons, and the labels about the grids.
constexpr int kCellWidth = 96;
constexpr int kCellHeight = 32;
constexpr int kTallHeight = 56;
constexpr int kGap = 8;
constexpr int kMargin = 8;
constexpr int kRowLabelWidth = 116;
constexpr int kTitleHeight = 26;
constexpr int kHeaderHeight = 16;
constexpr int kMostColumns = 9;
constexpr COLORREF kPaper = 0xECE4DE;

// A column of a grid: its heading, the stored settings it adds to its buttons, and the look they are
// painted in (the state, whether the pointer is over the button, whether it has the focus).
struct Column {
    std::string name;
    std::string settings = {};
    std::uint8_t state = kStateUp;
    bool over = false;
    bool focus = false;
};

struct Row {
    std::string name;
    std::string settings;
};

// A grid of buttons, one for each row and column, with the settings of the section, then of the row,
// then of the column (a later value of a key wins). Messages name it by its title up to the colon.
struct Section {
    std::string title;
    std::string settings;
    int cellHeight;
    std::vector<Row> rows;
    std::vector<Column> columns;
};

// What every button starts from: its own colours, a blue face turning lighter under the pointer and
// white text turning yellow, the icon left of a caption with an access key.
const std::string kCommon =
    "COLTYPE = 2\nBCOL = &H00B07030&\nBCOLO = &H00D89850&\nFCOL = &H00FFFFFF&\nFCOLO = &H0000FFFF&\n"
    "FONT = Font(\"Arial\", 9)\nTX = \"&Order\"\nPICN = Picture(\"GALLERY_ICON\")\n";

const std::vector<Column> kLooks = {
    {"up"},
    {"hover", "", kStateUp, true},
    {"down", "", kStateDown},
    {"disabled", "ENAB = False"},
    {"focused", "", kStateUp, false, true},
    {"focus, no rect", "FOCUSR = False", kStateUp, false, true},
    {"focus + hover", "", kStateUp, true, true},
    {"checked", "CHECK = True\nVALUE = True"},
    {"default", "Default = True"},
};

const std::vector<Row> kStyles = {{"framed (3)", "BTYPE = 3"},
                                  {"see-through (11)", "BTYPE = 11"},
                                  {"shaded (14)", "BTYPE = 14"},
                                  {"plain (0)", "BTYPE = 0"}};

Section Grid(std::string title, std::string settings, int cellHeight, std::vector<Row> rows,
             std::vector<Column> columns) {
    return {std::move(title), std::move(settings), cellHeight, std::move(rows), std::move(columns)};
}

std::vector<Section> Arrangement() {
    std::vector<Section> sections;
    const char* schemes[] = {"system colours", "own colours (BackOver and ForeOver under the pointer)",
                             "fixed grey", "the page's colours"};
    for (int scheme = 1; scheme <= 4; ++scheme) {
        std::string n = std::to_string(scheme);
        sections.push_back(Grid("Colour scheme " + n + ": " + schemes[scheme - 1], "COLTYPE = " + n,
                                kCellHeight, kStyles, kLooks));
    }
    const std::string icon = "PICN = Picture(\"GALLERY_ICON\")\n";
    const std::string bitmap = "PICN = Picture(\"GALLERY_BITMAP\")\n";
    const std::string over = "PICH = Picture(\"GALLERY_BITMAP\")\n";
    // Here a disabled button also has the focus: it shows neither focus rectangle nor ring.
    std::vector<Column> looks = kLooks;
    looks[6] = {"disabled, focused", "ENAB = False", kStateUp, false, true};
    sections.push_back(
        Grid("Colour scheme 5 (as 1): no picture; style 7 (as 0)", "COLTYPE = 5\nPICN = Nothing", kCellHeight,
             {kStyles[0], kStyles[1], kStyles[2], {"style 7, picture", "BTYPE = 7\n" + icon}}, looks));
    const Row shaded = {"shaded (14)", "BTYPE = 14"};
    std::vector<Column> positions;
    for (int p = 0; p <= 5; ++p) {
        const char* places[] = {"left", "right", "above", "below", "behind", "none"};
        positions.push_back({std::to_string(p) + ": " + places[p], "PICPOS = " + std::to_string(p)});
    }
    positions.insert(positions.end(), {{"no caption", "TX = \"\""},
                                       {"4, down", "PICPOS = 4", kStateDown},
                                       {"4, disabled", "PICPOS = 4\nENAB = False"}});
    sections.push_back(Grid("PicturePosition: 5 is out of range", "", kTallHeight,
                            {shaded, {"no picture", "BTYPE = 14\nPICN = Nothing"}}, positions));
    sections.push_back(Grid("Pictures: PictureOver (a bitmap), UseGreyscale, UseMaskColor, MaskColor", "",
                            kCellHeight, {shaded},
                            {{"over, hover", over, kStateUp, true},
                             {"over, down", over, kStateDown},
                             {"greyscale", "NGREY = True"},
                             {"grey, hover", "NGREY = True", kStateUp, true},
                             {"no mask", "UMCOL = False"},
                             {"no mask, over", "UMCOL = False\n" + over, kStateUp, true},
                             {"mask: system", "MCOL = &H8000000F&"},
                             {"bitmap, disabled", bitmap + "ENAB = False"},
                             {"bitmap, grey", bitmap + "NGREY = True"}}));
    std::vector<Column> effects;
    for (int fx : {1, 2, 3, 4, -1}) effects.push_back({std::to_string(fx), "FX = " + std::to_string(fx)});
    effects.insert(effects.end(), {{"1, down", "FX = 1", kStateDown},
                                   {"2, down, over", "FX = 2\n" + over, kStateDown},
                                   {"3, hover", "FX = 3", kStateUp, true},
                                   {"1, disabled", "FX = 1\nENAB = False"}});
    sections.push_back(Grid("SpecialEffect: 1 raised, 2 engraved, 3 and more a shadow, 0 and less none", "",
                            kCellHeight, kStyles, effects));
    std::vector<Column> soft(kLooks.begin(), kLooks.begin() + 4);  // up, hover, down, disabled
    soft.insert(soft.end(),
                {{"effect 1", "FX = 1"}, {"grey", "COLTYPE = 3"}, {"grey, down", "COLTYPE = 3", kStateDown}});
    sections.push_back(Grid("SoftBevel: every shade half as far", "SOFT = True", kCellHeight, kStyles, soft));
    const std::string twoLines = "TX = \"Mail-in\\r\\n&order form\"\n";
    sections.push_back(Grid("Captions: && shows one &; a line break or wrapping gives two lines",
                            "PICN = Nothing", kTallHeight, {shaded, kStyles[0]},
                            {{"&& and &", "TX = \"Q && &A\""},
                             {"wrapped", "TX = \"Download the evaluation\""},
                             {"two lines", twoLines},
                             {"two lines, picture", twoLines + icon},
                             {"hover", twoLines, kStateUp, true},
                             {"down", twoLines, kStateDown},
                             {"disabled", twoLines + "ENAB = False"},
                             {"effect 1", twoLines + "FX = 1"},
                             {"default", twoLines + "Default = True"}}));
    return sections;
}

int SectionHeight(const Section& section) {
    return kTitleHeight + kHeaderHeight + static_cast<int>(section.rows.size()) * (section.cellHeight + kGap);
}

// A button block of the page layout; of repeated keys in `settings` the last one counts.
std::string ButtonBlock(int index, POINT at, int height, const std::string& settings) {
    std::map<std::string, std::string> lines;
    std::istringstream in(settings);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines[line.substr(0, line.find(" = "))] = line;
    std::string block =
        "    Begin Catalog.TamrixButton cmdCell(" + std::to_string(index) + ")\n" +
        "        Left = " + std::to_string(platform::PixelsToTwips(at.x, platform::kNormalDpi)) + "\n" +
        "        Top = " + std::to_string(platform::PixelsToTwips(at.y, platform::kNormalDpi)) + "\n" +
        "        Width = " + std::to_string(platform::PixelsToTwips(kCellWidth, platform::kNormalDpi)) +
        "\n" + "        Height = " + std::to_string(platform::PixelsToTwips(height, platform::kNormalDpi)) +
        "\n";
    for (const auto& [key, line] : lines) block += "        " + line + "\n";
    return block + "    End\n";
}

// The icon: round, with a navy rim, a silver window in the mask colour, bars of pure red, green, blue
// and middle grey (whose grey tones are fixed), and a light yellow that the disabled look leaves out.
std::optional<COLORREF> IconPixel(int x, int y) {
    int dx = 2 * x - 19, dy = 2 * y - 19;  // twice the distance from the centre
    int d = dx * dx + dy * dy;
    if (d > 400) return std::nullopt;  // transparent
    if (d > 290) return 0x800000;
    if (y >= 4 && y < 9 && x >= 6 && x < 14) return 0xC0C0C0;
    const COLORREF bars[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
    if (y >= 11 && y < 15 && x >= 4 && x < 16) return bars[(x - 4) / 3];
    return 0x80FFFF;
}

// A picture made of f(x, y).
template <class Pixel>
platform::Picture MakeBitmap(int width, int height, Pixel pixel, const std::string& name) {
    std::vector<std::vector<COLORREF>> rows(height, std::vector<COLORREF>(width));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rows[y][x] = pixel(x, y);
    return testing_support::MakeBitmapPicture(rows, name);
}

platform::Picture MakeIcon() {
    platform::Picture colour = MakeBitmap(
        20, 20, [](int x, int y) { return IconPixel(x, y).value_or(0); }, "");
    BYTE bits[20][4] = {};  // the mask: rows of 20 bits padded to 32, set where the icon is transparent
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) bits[y][x / 8] |= IconPixel(x, y) ? 0 : 0x80 >> x % 8;
    platform::Bitmap mask(CreateBitmap(20, 20, 1, 1, bits));
    ICONINFO info{TRUE, 0, 0, mask.get(), static_cast<HBITMAP>(colour.Handle())};
    return platform::Picture::FromIcon(CreateIconIndirect(&info), true, "GALLERY_ICON");
}

struct PaintedCell {
    std::string name;
    RECT place;
};

// The gallery as it is painted: the picture and where each button went.
struct Gallery {
    platform::MemorySurface canvas;
    std::vector<PaintedCell> cells;
    platform::Font labelFont =
        platform::CreateScreenFont(platform::FontValue{"Arial", 8.25}, platform::kNormalDpi);
    platform::Font titleFont =
        platform::CreateScreenFont(platform::FontValue{"Arial", 9, true}, platform::kNormalDpi);
    std::vector<std::pair<std::string, platform::Picture>> pictures;

    void Label(const RECT& r, const std::string& text, bool title, UINT align) {
        platform::Selection font(canvas.dc(), title ? titleFont.get() : labelFont.get());
        SetTextColor(canvas.dc(), title ? 0x602000 : 0x303030);
        RECT box = r;
        DrawTextA(canvas.dc(), text.c_str(), -1, &box, align | DT_SINGLELINE | DT_NOPREFIX);
    }

    // One section through a page of its own, with its labels, from `top` down.
    void Paint(platform::Application& app, const Section& section, int top) {
        const int columns = static_cast<int>(section.columns.size());
        const int rows = static_cast<int>(section.rows.size());
        const int height = section.cellHeight, pitchX = kCellWidth + kGap, pitchY = height + kGap;
        // Where the button of cell i stands on its page.
        auto place = [&](int i) {
            return POINT{kGap / 2 + i % columns * pitchX, kGap / 2 + i / columns * pitchY};
        };
        std::string layout =
            "Begin Page frmGallery\n    Width = " +
            std::to_string(platform::PixelsToTwips(columns * pitchX + 40, platform::kNormalDpi)) +
            "\n    Height = " +
            std::to_string(platform::PixelsToTwips(rows * pitchY + 60, platform::kNormalDpi)) +
            "\n    BackColor = " + std::to_string(kPaper) + "\n";
        for (int i = 0; i < rows * columns; ++i)
            layout += ButtonBlock(i, place(i), height,
                                  kCommon + section.settings + "\n" + section.rows[i / columns].settings +
                                      "\n" + section.columns[i % columns].settings);
        auto page = testing_support::MakeButtonPage(app, layout + "End\n");
        for (const auto& [name, picture] : pictures) page->Pictures().Add(name, picture);
        page->Load();
        EXPECT_TRUE(page->Diagnostics().empty()) << page->Diagnostics().front().ToString();
        // A see-through button shows what lies beneath it: green stripes under its row.
        platform::Picture stripes = MakeBitmap(
            columns * pitchX, pitchY, [](int x, int y) { return (x + y) / 6 % 2 ? 0x3C8C3C : 0x286428; }, "");
        for (int r = 0; r < rows; ++r)
            if (section.rows[r].settings == kStyles[1].settings)
                page->PaintPicture(stripes, 0, platform::PixelsToTwips(r * pitchY, platform::kNormalDpi));
        page->Show();
        SetFocus(nullptr);  // no button has the focus: a default button shows as the default
        testing_support::Pump(app);

        HDC dc = canvas.dc();
        const int left = kMargin + kRowLabelWidth, gridTop = top + kTitleHeight + kHeaderHeight;
        platform::MemorySurface beneath;
        beneath.CreateDib(dc, columns * pitchX, rows * pitchY);
        SendMessageA(page->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(beneath.dc()), PRF_CLIENT);
        BitBlt(dc, left, gridTop, beneath.width(), beneath.height(), beneath.dc(), 0, 0, SRCCOPY);
        for (int i = 0; i < rows * columns; ++i) {
            const Column& look = section.columns[i % columns];
            auto& b = page->Get<TamrixButton>("cmdCell", i);
            testing_support::ShowHover(b, look.over);
            testing_support::ShowFocus(b, look.focus);
            b.RenderButton(look.state, true);
            // What shows of the button: its surface inside its window's shape.
            const int x = left + place(i).x, y = gridTop + place(i).y;
            platform::Region shape(CreateRectRgn(0, 0, kCellWidth, height));
            GetWindowRgn(b.hwnd(), shape.get());
            OffsetRgn(shape.get(), x, y);
            SelectClipRgn(dc, shape.get());
            BitBlt(dc, x, y, kCellWidth, height, b.hDC(), 0, 0, SRCCOPY);
            SelectClipRgn(dc, nullptr);
            // No button keeps the focus: the page shows its default button as the default again.
            testing_support::ShowHover(b, false);
            testing_support::ShowFocus(b, false);
            cells.push_back({section.title.substr(0, section.title.find(':')) + ", " +
                                 section.rows[i / columns].name + ", " + look.name,
                             {x, y, x + kCellWidth, y + height}});
        }
        page->UnloadWithoutAsking();

        Label({kMargin, top, canvas.width(), top + kTitleHeight - 4}, section.title, true, DT_BOTTOM);
        for (int c = 0; c < columns; ++c)
            Label({left + c * pitchX, top + kTitleHeight, left + (c + 1) * pitchX, gridTop},
                  section.columns[c].name, false, DT_CENTER | DT_VCENTER);
        for (int r = 0; r < rows; ++r)
            Label({kMargin, gridTop + r * pitchY, left - 4, gridTop + (r + 1) * pitchY}, section.rows[r].name,
                  false, DT_VCENTER);
    }
};

Gallery PaintGallery(platform::Application& app) {
    const std::vector<Section> sections = Arrangement();
    int height = 2 * kMargin;
    for (const Section& section : sections) height += SectionHeight(section);
    Gallery gallery;
    {
        platform::WindowDC screen(nullptr);
        gallery.canvas.CreateDib(screen.get(),
                                 2 * kMargin + kRowLabelWidth + kMostColumns * (kCellWidth + kGap), height);
    }
    platform::Brush paper(CreateSolidBrush(kPaper));
    RECT all{0, 0, gallery.canvas.width(), gallery.canvas.height()};
    FillRect(gallery.canvas.dc(), &all, paper.get());
    SetBkMode(gallery.canvas.dc(), TRANSPARENT);
    // The over picture: a bitmap diamond, orange in dark green, on silver (the mask colour).
    auto diamond = [](int x, int y) {
        int d = std::abs(2 * x - 19) + std::abs(2 * y - 19);
        return d > 18 ? 0xC0C0C0 : d > 12 ? 0x006400 : 0x0080FF;
    };
    gallery.pictures = {{"GALLERY_ICON", MakeIcon()},
                        {"GALLERY_BITMAP", MakeBitmap(20, 20, diamond, "GALLERY_BITMAP")}};
    int top = kMargin;
    for (const Section& section : sections) {
        gallery.Paint(app, section, top);
        top += SectionHeight(section);
    }
    return gallery;
}

}  // namespace

TEST(ButtonGallery, PaintsEveryLookAsTheCommittedPicture) {
    platform::Application app;
    Gallery gallery = PaintGallery(app);
    const Pixels painted = testing_support::CapturePixels(gallery.canvas.dc(), 0, 0, gallery.canvas.width(),
                                                          gallery.canvas.height());
    const std::string out = CATALOG_GALLERY_OUTPUT;
    CreateDirectoryA(out.c_str(), nullptr);
    ASSERT_TRUE(WritePng(out + "/actual.png", painted)) << out;
    const std::optional<Pixels> committed = testing_support::ReadPng(CATALOG_GALLERY_PICTURE);
    ASSERT_TRUE(committed && committed->width() == painted.width() && committed->height() == painted.height())
        << CATALOG_GALLERY_PICTURE << " is missing or of another size than the gallery";

    // The differences in magenta over a faded copy of the committed picture.
    auto differs = [&](int x, int y) { return painted.at(x, y) != committed->at(x, y); };
    Pixels difference = *committed;
    int total = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            COLORREF c = committed->at(x, y);
            total += differs(x, y);
            difference.set(x, y,
                           differs(x, y) ? 0xFF00FF
                                         : RGB((GetRValue(c) + 765) / 4, (GetGValue(c) + 765) / 4,
                                               (GetBValue(c) + 765) / 4));
        }
    if (total == 0) return;
    WritePng(out + "/difference.png", difference);
    std::string report;
    int inCells = 0;
    for (const PaintedCell& cell : gallery.cells) {
        int count = 0;
        for (int y = cell.place.top; y < cell.place.bottom; ++y)
            for (int x = cell.place.left; x < cell.place.right; ++x) count += differs(x, y);
        if (count) report += "\n  " + cell.name + ": " + std::to_string(count) + " pixels";
        inCells += count;
    }
    if (total > inCells) report += "\n  labels: " + std::to_string(total - inCells) + " pixels";
    ADD_FAILURE() << total << " pixels differ from " << CATALOG_GALLERY_PICTURE << ":" << report
                  << "\nWhat was painted: " << out << "/actual.png; the differences in magenta: " << out
                  << "/difference.png. When the drawing is meant to change, scripts/regenerate_gallery.sh "
                     "makes the painted picture the committed one.";
}
