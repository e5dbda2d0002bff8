// The button gallery: every style in every look, per colour scheme, with and without a picture, each
// relief effect and each picture position, painted by the real control and written to
// build/gallery.png for people to look at.
#include <gtest/gtest.h>

#include <functional>

#include "platform/font.h"
#include "platform/units.h"
#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/png_file.h"

using button::TamrixButton;
using button::TamrixButtonTestAccess;
using testing_support::Pixels;

namespace {

constexpr int kCellWidth = 124;
constexpr int kLabelWidth = 150;
constexpr int kHeaderHeight = 26;
constexpr int kColumnsHeight = 18;
constexpr COLORREF kPaper = 0xF4F4F4;

struct Look {
    const char* name;
    std::uint8_t state;
    bool over, focus, enabled, checked;
};

const Look kLooks[] = {
    {"up", button::kStateUp, false, false, true, false},     {"hover", button::kStateUp, true, false, true, false},
    {"down", button::kStateDown, false, false, true, false}, {"disabled", button::kStateUp, false, false, false, false},
    {"focused", button::kStateUp, false, true, true, false}, {"checked", button::kStateUp, false, false, true, true},
};
const Look& kUp = kLooks[0];
const Look& kDown = kLooks[2];

struct Style {
    int type;
    const char* name;
};

const Style kStyles[] = {{3, "framed (3)"}, {11, "see-through (11)"}, {14, "shaded (14)"}, {0, "plain (0)"}};

const char* const kSchemes[] = {"", "1, system colours", "2, own colours", "3, fixed grey", "4, the page's colours"};

// A button on the gallery's page: its place there, in pixels, and its size.
struct Placed {
    TamrixButton* button;
    int left, top, width, height;
};

std::string ButtonBlock(const char* name, int left, int top, int width, int height) {
    return "    Begin Catalog.TamrixButton " + std::string(name) +
           "\n        Left = " + std::to_string(platform::PixelsToTwipsX(left)) +
           "\n        Top = " + std::to_string(platform::PixelsToTwipsY(top)) +
           "\n        Width = " + std::to_string(platform::PixelsToTwipsX(width)) +
           "\n        Height = " + std::to_string(platform::PixelsToTwipsY(height)) +
           "\n        BTYPE = 11\n        COLTYPE = 2\n        TX = \"&Order\"\n"
           "        BCOL = &H00B07030&\n        BCOLO = &H00D89850&\n        FCOL = &H00FFFFFF&\n"
           "        FCOLO = &H0000FFFF&\n        FONT = Font(\"Arial\", 9)\n    End\n";
}

// Paints gallery cells onto one large surface.
class Gallery {
public:
    Gallery(platform::Application& app, int width, int height) : width_(width), height_(height) {
        platform::WindowDC screen(nullptr);
        canvas_.Create(screen.get(), width, height);
        RECT all{0, 0, width, height};
        platform::Brush paper(CreateSolidBrush(kPaper));
        FillRect(canvas_.dc(), &all, paper.get());
        SetBkMode(canvas_.dc(), TRANSPARENT);
        labelFont_ = platform::CreateScreenFont(platform::FontValue{"Arial", 9});
        headerFont_ = platform::CreateScreenFont(platform::FontValue{"Arial", 10, true});

        // Both buttons stand on the page's glass picture, so that the see-through style has something
        // to show; they start see-through so that their copy of the page is made when they appear.
        std::string layout =
            "Begin Page frmGallery\n    Width = 6000\n    Height = 4500\n    BackColor = &H00FFE0C0&\n" +
            ButtonBlock("cmdWide", 10, 10, 112, 38) + ButtonBlock("cmdTall", 10, 60, 112, 64) + "End\n";
        page_ = testing_support::MakeButtonPage(app, layout);
        page_->Load();
        page_->PaintPicture(page_->Pictures().Get("JPG_GLASS"), 0, 0);
        page_->Show();
        testing_support::Pump(app);
        wide_ = {&page_->Get<TamrixButton>("cmdWide"), 10, 10, 112, 38};
        tall_ = {&page_->Get<TamrixButton>("cmdTall"), 10, 60, 112, 64};
        icon_ = page_->Pictures().Get("ICON_CALLWARDEN");
    }
    ~Gallery() { page_->UnloadWithoutAsking(); }

    const Placed& wide() const { return wide_; }
    const Placed& tall() const { return tall_; }
    const platform::Picture& icon() const { return icon_; }

    // Puts a button into a look (after the settings `setup` makes) and paints it at (x, y).
    void Cell(const Placed& placed, int x, int y, const Look& look, const std::function<void(TamrixButton&)>& setup) {
        TamrixButton& b = *placed.button;
        b.SetCheckBoxBehaviour(false);
        b.SetValue(false);
        b.SetEnabled(true);
        setup(b);
        TamrixButtonTestAccess::SetPointerOver(b, look.over);
        TamrixButtonTestAccess::SetHasFocus(b, look.focus);
        b.SetEnabled(look.enabled);
        b.SetCheckBoxBehaviour(look.checked);
        b.SetValue(look.checked);
        b.RenderButton(look.state, true);
        ++cells_;

        // Inside the window's shape the button's own image; outside it, the page beneath.
        platform::Region shape(CreateRectRgn(0, 0, 0, 0));
        bool shaped = GetWindowRgn(b.hwnd(), shape.get()) != ERROR;
        Pixels face = testing_support::CaptureSurface(b);
        Pixels page = PageBackground(placed);
        for (int py = 0; py < placed.height; ++py)
            for (int px = 0; px < placed.width; ++px) {
                bool inside = !shaped || PtInRegion(shape.get(), px, py);
                SetPixelV(canvas_.dc(), x + px, y + py, inside ? face.at(px, py) : page.at(px, py));
            }
    }

    void Label(int x, int y, int width, int height, const std::string& text, bool header = false) {
        platform::Selection font(canvas_.dc(), header ? headerFont_.get() : labelFont_.get());
        SetTextColor(canvas_.dc(), header ? 0x602000 : 0x303030);
        RECT r{x, y, x + width, y + height};
        DrawTextA(canvas_.dc(), text.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    void Columns(int y, std::initializer_list<const char*> names) {
        int x = kLabelWidth;
        for (const char* name : names) {
            Label(x + 4, y, kCellWidth - 8, kColumnsHeight, name);
            x += kCellWidth;
        }
    }

    int cells() const { return cells_; }
    Pixels Image() const { return testing_support::CapturePixels(canvas_.dc(), 0, 0, width_, height_); }

private:
    Pixels PageBackground(const Placed& placed) {
        platform::WindowDC screen(nullptr);
        platform::MemorySurface surface(screen.get(), placed.left + placed.width, placed.top + placed.height);
        SendMessageA(page_->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
        return testing_support::CapturePixels(surface.dc(), placed.left, placed.top, placed.width, placed.height);
    }

    int width_;
    int height_;
    platform::MemorySurface canvas_;
    platform::Font labelFont_;
    platform::Font headerFont_;
    std::shared_ptr<testing_support::TestPage> page_;
    Placed wide_{};
    Placed tall_{};
    platform::Picture icon_;
    int cells_ = 0;
};

std::string GalleryPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    std::string folder = exe.substr(0, exe.find_last_of("\\/"));            // build/tests
    return folder.substr(0, folder.find_last_of("\\/")) + "\\gallery.png";  // build
}

}  // namespace

TEST(ButtonGallery, PaintsEveryStyleLookSchemeAndEffect) {
    platform::Application app;
    const int row = 46;
    const int section = kHeaderHeight + kColumnsHeight + 8 * row;
    const int width = kLabelWidth + 6 * kCellWidth + 10;
    const int height =
        44 + 4 * section + (kHeaderHeight + kColumnsHeight + 4 * row) + (kHeaderHeight + kColumnsHeight + 72) + 10;
    Gallery gallery(app, width, height);
    int y = 8;
    gallery.Label(10, y, width - 20, 28, "TamrixButton: every style in every look, per colour scheme", true);
    y += 36;

    for (int scheme = 1; scheme <= 4; ++scheme) {
        gallery.Label(10, y, width - 20, kHeaderHeight, std::string("Colour scheme ") + kSchemes[scheme], true);
        y += kHeaderHeight;
        gallery.Columns(y, {"up", "hover", "down", "disabled", "focused", "checked"});
        y += kColumnsHeight;
        for (const Style& style : kStyles) {
            for (bool withPicture : {false, true}) {
                gallery.Label(10, y, kLabelWidth, 38, std::string(style.name) + (withPicture ? ", picture" : ""));
                for (int i = 0; i < 6; ++i) {
                    gallery.Cell(gallery.wide(), kLabelWidth + i * kCellWidth, y, kLooks[i], [&](TamrixButton& b) {
                        b.SetColorScheme(scheme);
                        b.SetButtonType(style.type);
                        b.SetSpecialEffect(0);
                        b.SetPicturePosition(0);
                        b.SetPictureNormal(withPicture ? gallery.icon() : platform::Picture());
                    });
                }
                y += row;
            }
        }
    }

    // Relief and shadow of caption and picture, fixed grey.
    gallery.Label(10, y, width - 20, kHeaderHeight, "SpecialEffect: 1 raised, 2 engraved, 3 and more a shadow", true);
    y += kHeaderHeight;
    gallery.Columns(y, {"0, up", "1, up", "2, up", "3, up", "1, down", "2, down"});
    y += kColumnsHeight;
    for (const Style& style : kStyles) {
        gallery.Label(10, y, kLabelWidth, 38, style.name);
        const int effects[] = {0, 1, 2, 3, 1, 2};
        for (int i = 0; i < 6; ++i) {
            gallery.Cell(gallery.wide(), kLabelWidth + i * kCellWidth, y, i < 4 ? kUp : kDown, [&](TamrixButton& b) {
                b.SetColorScheme(3);
                b.SetButtonType(style.type);
                b.SetPicturePosition(0);
                b.SetPictureNormal(gallery.icon());
                b.SetSpecialEffect(effects[i]);
            });
        }
        y += row;
    }

    // Where the picture goes beside the caption.
    gallery.Label(10, y, width - 20, kHeaderHeight, "PicturePosition, shaded style, own colours", true);
    y += kHeaderHeight;
    gallery.Columns(y, {"0, left", "1, right", "2, above", "3, below", "4, behind", "empty caption"});
    y += kColumnsHeight;
    for (int i = 0; i < 6; ++i) {
        gallery.Cell(gallery.tall(), kLabelWidth + i * kCellWidth, y, kUp, [&](TamrixButton& b) {
            b.SetColorScheme(2);
            b.SetButtonType(14);
            b.SetSpecialEffect(0);
            b.SetCaption(i == 5 ? "" : "&Order");
            b.SetPictureNormal(gallery.icon());
            b.SetPicturePosition(i == 5 ? 0 : i);
        });
    }

    EXPECT_EQ(gallery.cells(), 4 * 8 * 6 + 4 * 6 + 6);
    std::string path = GalleryPath();
    ASSERT_TRUE(testing_support::WritePng(path, gallery.Image())) << path;
    std::printf("gallery written to %s\n", path.c_str());
}
