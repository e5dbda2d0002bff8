// Times the drawing and printing routines of the catalog, in microseconds per call, and prints one
// line per figure: "routine <name> <median microseconds>". Each figure is the median of several
// batches of calls, after a warm-up.
//
//   RenderButton     styles 3, 11 and 14 in the up, hover, down and disabled looks, on a 134 x 50
//                    product button, with and without its 32 x 32 icon (the product buttons' own
//                    stored settings: shaded, own colours, mask colour, raised relief)
//   BlitPicture      the 32 x 32 icon onto the button's surface
//   ComputeCaptionRects  the product button's caption layout
//   PrintText        the longest product description through a printer that only records
//   TileBackground   the main page's four tiled surfaces, as the page does when it loads
//
// RenderButton is timed up to the finished image on the button's surface; bringing it to the screen
// happens later, at the window's next paint, and is not part of the call.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "catalog/catalog_table.h"
#include "common/print_text.h"
#include "common/tile_background.h"
#include "pages/main_page.h"
#include "platform/forms/application.h"
#include "platform/win32/resources.h"
#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

namespace {

double Now() {
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMicrosecond;
}

// Median of nine batches; each batch holds as many calls as take about 20 ms.
double MicrosecondsPerCall(const std::function<void()>& call) {
    double start = Now();
    int warmUp = 0;
    while (Now() - start < 20000 || warmUp < 3) {
        call();
        ++warmUp;
    }
    const int perBatch = std::max(3, warmUp);
    std::vector<double> batches;
    for (int batch = 0; batch < 9; ++batch) {
        double begin = Now();
        for (int i = 0; i < perBatch; ++i) call();
        batches.push_back((Now() - begin) / perBatch);
    }
    std::nth_element(batches.begin(), batches.begin() + 4, batches.end());
    return batches[4];
}

void Report(const std::string& name, double microseconds) {
    std::printf("routine %s %.2f\n", name.c_str(), microseconds);
    std::fflush(stdout);
}

// The stored settings of the Daybeacon button on the main page, with the style and icon to bench.
std::string ProductButtonSettings(int style, bool icon) {
    return "BTYPE = " + std::to_string(style) +
           "\nTX = \"Daybeacon\"\nENAB = True\nFONT = Font(\"Arial\", 9, Bold)\nCOLTYPE = 2\nFOCUSR = True\n"
           "BCOL = &H000080FF&\nBCOLO = &H000080FF&\nFCOL = &H00000080&\nFCOLO = &H00000000&\n"
           "MCOL = &H00C0C0C0&\nPICN = " +
           std::string(icon ? "Picture(\"ICON_DAYBEACON\")" : "Nothing") +
           "\nPICH = Nothing\nUMCOL = True\nSOFT = False\nPICPOS = 0\nNGREY = False\nFX = 3\n";
}

struct Look {
    const char* name;
    std::uint8_t state;
    bool over;
    bool enabled;
};

constexpr Look kLooks[] = {
    {"up", button::kStateUp, false, true},
    {"hover", button::kStateUp, true, true},
    {"down", button::kStateDown, false, true},
    {"disabled", button::kStateUp, false, false},
};

void BenchRenderButton(platform::Application& app) {
    for (int style : {3, 11, 14}) {
        for (bool icon : {false, true}) {
            auto fixture = testing_support::MakeButton(app, 134, 50, ProductButtonSettings(style, icon));
            button::TamrixButton& b = *fixture.button;
            testing_support::Pump(app);
            for (const Look& look : kLooks) {
                b.SetEnabled(look.enabled);
                testing_support::ShowHover(b, look.over);
                double us = MicrosecondsPerCall([&] { b.RenderButton(look.state, true); });
                Report("RenderButton style=" + std::to_string(style) + " look=" + look.name +
                           " icon=" + (icon ? "yes" : "no"),
                       us);
            }
            fixture.page->UnloadWithoutAsking();
        }
    }
}

void BenchPictureAndCaption(platform::Application& app) {
    auto fixture = testing_support::MakeButton(app, 134, 50, ProductButtonSettings(14, true));
    button::TamrixButton& b = *fixture.button;
    testing_support::Pump(app);
    const platform::Picture& icon = b.PictureNormal();
    Report("BlitPicture icon=32x32", MicrosecondsPerCall([&] {
               b.BlitPicture(51, 9, 32, 32, icon, b.fields().MaskRgb, -1, false, false);
           }));
    Report("ComputeCaptionRects", MicrosecondsPerCall([&] { b.ComputeCaptionRects(); }));
    fixture.page->UnloadWithoutAsking();
}

class IdleOwner : public common::PrintOwner {
public:
    HWND Handle() const override { return nullptr; }
    void SetEnabled(bool) override {}
    void SetMousePointer(int) override {}
};

void BenchPrintText() {
    std::string longest;
    for (int i = 1; i <= catalog::kProductCount; ++i) {
        std::string text = platform::LoadResString(i);
        if (text.size() > longest.size()) longest = text;
    }
    testing_support::FakeSystem system;
    IdleOwner owner;
    double us = MicrosecondsPerCall([&] {
        testing_support::RecordingPrinter printer;
        system.printer = &printer;
        common::PrintText(owner, longest, "", false, false);
        system.printer = nullptr;
    });
    Report("PrintText chars=" + std::to_string(longest.size()), us);
}

void BenchTileBackground(platform::Application& app) {
    testing_support::FakeSystem system;
    catalog::ProductList& names = catalog::ProductNames();
    names.Clear();
    for (std::string_view name : catalog::kProductNameTable) names.Add(std::string(name));
    auto main = std::make_shared<pages::MainPage>(app);
    main->Load();
    Report("TileBackground main-page", MicrosecondsPerCall([&] {
               using common::InPixels;
               for (int i = 0; i < 3; ++i)
                   common::TileBackground(InPixels(main->imgPanel(i)), InPixels(main->PicBox(i)));
               common::TileBackground(InPixels(main->imgPanel(3)), InPixels(*main));
           }));
    main->UnloadWithoutAsking();
}

}  // namespace

int main() {
    platform::Application app;
    BenchRenderButton(app);
    BenchPictureAndCaption(app);
    BenchPrintText();
    BenchTileBackground(app);
    return 0;
}
