// The button gallery: the real control painted in every style and look under each colour scheme, with
// its picture settings, relief effects, soft bevel and kinds of caption, and under high contrast, in
// labelled grids (gallery_cells.txt lists them). The whole picture must equal, pixel for pixel, the one
// the README shows (docs/gallery.png): the drawing rules fix every pixel of a look, and the fonts of the
// machine kind the picture was made on (Liberation Sans under Wine) fix the text. A difference names the
// cells that changed. What was painted goes to gallery/actual.png in the build folder, the differences
// to gallery/difference.png; scripts/regenerate_gallery.sh makes the painted picture the committed one
// when the drawing is meant to change.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "platform/win32/font.h"
#include "platform/win32/units.h"
#include "png_file.h"
#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"

using button::kStateDown;
using button::kStateUp;
using button::TamrixButton;
using testing_support::Pixels;

namespace {

// Sizes in pixels: a button, the space between buttons, and the labels about the grids.
constexpr int kCellWidth = 96;
constexpr int kGap = 8;
constexpr int kMargin = 8;
constexpr int kRowLabelWidth = 116;
constexpr int kTitleHeight = 26;
constexpr int kHeaderHeight = 16;
constexpr int kMostColumns = 9;
constexpr COLORREF kPaper = 0xECE4DE;

// The gallery is painted at 96 pixels per inch whatever the screen's resolution.
int Twips(int pixels) {
    return platform::PixelsToTwips(pixels, platform::kNormalDpi);
}

// A row or a column of a grid: its name, the stored settings it adds to its buttons and, for a column,
// the look they are painted in, in the words of gallery_cells.txt ("down over focus").
struct Line {
    std::string name, settings, look;
    bool Has(const char* word) const { return look.find(word) != std::string::npos; }
};

// A grid of buttons, one for each row and column (gallery_cells.txt says how they are written down).
struct Section {
    std::string title, settings;
    int cellHeight = 0;
    std::vector<Line> rows, columns;
};

std::vector<Section> Arrangement(std::string& common) {
    std::vector<Section> sections;
    std::ifstream in(CATALOG_TESTS_DIR "/unit/gallery/gallery_cells.txt");
    for (std::string text; std::getline(in, text);) {
        if (text.empty() || text[0] == '#') continue;
        std::vector<std::string> f;  // the fields between bars, trimmed, settings one a line
        std::istringstream fields(text);
        for (std::string field; std::getline(fields, field, '|'); f.push_back(field)) {
            field.erase(0, field.find_first_not_of(' '));
            field.erase(field.find_last_not_of(' ') + 1);
            for (std::size_t at; !f.empty() && (at = field.find("; ")) != std::string::npos;)
                field = field.substr(0, at) + "\n" + field.substr(at + 2);
        }
        f.resize(3);
        std::string word = f[0].substr(0, f[0].find(' ')), name = f[0].substr(word.size());
        name.erase(0, 1);
        if (word == "common") common = f[1];
        if (word == "grid") sections.push_back({name, f[2], std::stoi(f[1]), {}, {}});
        if (word == "row") sections.back().rows.push_back({name, f[1], ""});
        if (word == "column") sections.back().columns.push_back({name, f[2], f[1]});
    }
    EXPECT_EQ(sections.size(), 11u) << "cannot read gallery_cells.txt";
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
    std::string block = "    Begin Catalog.TamrixButton cmdCell(" + std::to_string(index) + ")\n" +
                        "        Left = " + std::to_string(Twips(at.x)) + "\n" +
                        "        Top = " + std::to_string(Twips(at.y)) + "\n" +
                        "        Width = " + std::to_string(Twips(kCellWidth)) + "\n" +
                        "        Height = " + std::to_string(Twips(height)) + "\n";
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
    std::string common;
    testing_support::FakeSystem system;  // whose high contrast the test turns on and off

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
            "Begin Page frmGallery\n    Width = " + std::to_string(Twips(columns * pitchX + 40)) +
            "\n    Height = " + std::to_string(Twips(rows * pitchY + 60)) +
            "\n    BackColor = " + std::to_string(kPaper) + "\n";
        for (int i = 0; i < rows * columns; ++i)
            layout +=
                ButtonBlock(i, place(i), height,
                            common + "\n" + section.settings + "\n" + section.rows[i / columns].settings +
                                "\n" + section.columns[i % columns].settings);
        auto page = testing_support::MakeButtonPage(app, layout + "End\n");
        for (const auto& [name, picture] : pictures) page->Pictures().Add(name, picture);
        page->Load();
        EXPECT_TRUE(page->Diagnostics().empty()) << page->Diagnostics().front().ToString();
        // A see-through button shows what lies beneath it: green stripes under its row.
        platform::Picture stripes = MakeBitmap(
            columns * pitchX, pitchY, [](int x, int y) { return (x + y) / 6 % 2 ? 0x3C8C3C : 0x286428; }, "");
        for (int r = 0; r < rows; ++r)
            if (section.rows[r].settings == "BTYPE = 11") page->PaintPicture(stripes, 0, Twips(r * pitchY));
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
            const Line& look = section.columns[i % columns];
            auto& b = page->Get<TamrixButton>("cmdCell", i);
            const std::uint8_t state = look.Has("down") ? kStateDown : kStateUp;
            testing_support::ShowHover(b, look.Has("over"));
            testing_support::ShowFocus(b, look.Has("focus"));
            system.highContrast = look.Has("contrast");
            b.RenderButton(state, true);
            system.highContrast = false;
            if (look.Has("then-off")) b.RenderButton(state, true);
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

void PaintGallery(platform::Application& app, Gallery& gallery) {
    const std::vector<Section> sections = Arrangement(gallery.common);
    int height = 2 * kMargin;
    for (const Section& section : sections) height += SectionHeight(section);
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
}

}  // namespace

TEST(ButtonGallery, PaintsEveryLookAsTheCommittedPicture) {
    platform::Application app;
    Gallery gallery;
    PaintGallery(app, gallery);
    const Pixels painted = testing_support::CapturePixels(gallery.canvas.dc(), 0, 0, gallery.canvas.width(),
                                                          gallery.canvas.height());
    const std::string out = CATALOG_GALLERY_OUTPUT;
    CreateDirectoryA(out.c_str(), nullptr);
    ASSERT_TRUE(WritePng(out + "/actual.png", painted)) << out;
    const std::optional<Pixels> committed = testing_support::ReadPng(CATALOG_GALLERY_PICTURE);
    ASSERT_TRUE(committed && committed->width() == painted.width() && committed->height() == painted.height())
        << CATALOG_GALLERY_PICTURE << " is missing or of another size than the gallery";

    if (painted == *committed) return;

    // The differences in magenta over a faded copy of the committed picture, counted by cell.
    auto differs = [&](int x, int y) { return painted.at(x, y) != committed->at(x, y); };
    Pixels difference = *committed;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            difference.set(x, y, differs(x, y) ? 0xFF00FF : (committed->at(x, y) >> 2 & 0x3F3F3F) + 0xBFBFBF);
    WritePng(out + "/difference.png", difference);
    std::string report;
    int total = 0;
    for (const PaintedCell& cell : gallery.cells) {
        int count = 0;
        for (int y = cell.place.top; y < cell.place.bottom; ++y)
            for (int x = cell.place.left; x < cell.place.right; ++x) count += differs(x, y);
        if (count) report += "\n  " + cell.name + ": " + std::to_string(count) + " pixels";
        total += count;
    }
    ADD_FAILURE() << "The gallery differs from " << CATALOG_GALLERY_PICTURE << ", in " << total
                  << " pixels of cells:" << report << "\nWhat was painted: " << out
                  << "/actual.png; the differences in magenta: " << out
                  << "/difference.png. When the drawing is meant to change, scripts/regenerate_gallery.sh "
                     "makes the painted picture the committed one.";
}
