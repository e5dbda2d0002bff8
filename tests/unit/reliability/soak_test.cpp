// Soaks: a hundred thousand paintings and a thousand product pages leave the
// process's drawing objects, windows and private memory where they were after a warm-up.
#include <gtest/gtest.h>

#include "app/program.h"
#include "pages/main_page.h"
#include "platform/forms/application.h"
#include "support/button_page.h"
#include "support/button_surface.h"
#include "support/fake_system.h"
#include "support/gdi_count.h"
#include "support/script.h"

using button::TamrixButton;
using testing_support::ResourceCounts;

namespace {

// Up, hover, down, disabled under the pointer, focused and checked: state, pointer over, focus,
// enabled, checked.
struct Look {
    std::uint8_t state;
    bool over, focus, enabled, checked;
};
constexpr Look kLooks[] = {
    {button::kStateUp, false, false, true, false},   {button::kStateUp, true, false, true, false},
    {button::kStateDown, false, false, true, false}, {button::kStateUp, true, false, false, false},
    {button::kStateUp, false, true, true, false},    {button::kStateUp, false, false, true, true}};

}  // namespace

TEST(Soak, AHundredThousandPaintingsOfEveryStyleLookAndReliefLeakNothing) {
    platform::Application app;
    // Everything that makes objects while painting: the see-through copy, a normal and a hover icon
    // (greyed when not hovered), the bold caption of a default button, the reliefs.
    auto fixture =
        testing_support::MakeButton(app, 134, 50,
                                    "BTYPE = 11\nCOLTYPE = 2\nBCOL = &H00C0C0C0&\nTX = \"&Leak\"\n"
                                    "PICN = Picture(\"ICON_ORDER\")\nPICH = Picture(\"ICON_RETURN\")\n"
                                    "NGREY = True\nDefault = True\n");
    TamrixButton& b = *fixture.button;
    ASSERT_TRUE(b.fields().BackgroundDC);
    constexpr COLORREF kMarker = RGB(1, 2, 3);  // a colour no look paints
    int paintings = 0;
    auto paintAll = [&](int rounds) {
        for (int style : {3, 11, 14, 0}) {
            b.SetButtonType(style);
            for (int effect : {0, 1, 2, 3}) {
                b.SetSpecialEffect(effect);
                for (const Look& look : kLooks) {
                    b.SetEnabled(look.enabled);
                    testing_support::ShowHover(b, look.over);
                    testing_support::ShowFocus(b, look.focus);
                    b.SetCheckBoxBehaviour(look.checked);
                    b.SetValue(look.checked);
                    for (int i = 0; i < rounds; ++i) {
                        // Every painting starts by clearing the whole surface, marker pixel included.
                        SetPixelV(b.hDC(), 0, 0, kMarker);
                        b.RenderButton(look.state, true);
                        if (GetPixel(b.hDC(), 0, 0) != kMarker) ++paintings;
                    }
                }
            }
        }
    };
    paintAll(3);  // caches settle
    ResourceCounts before = ResourceCounts::Now();
    ASSERT_GT(before.gdiObjects, 0);
    paintings = 0;
    paintAll(1050);  // 4 styles x 4 reliefs x 6 looks x 1050 = 100,800 paintings
    EXPECT_EQ(paintings, 100800);
    EXPECT_EQ(ResourceCounts::Now().GrowthSince(before), "");
}

// The product page opened from the real main page and closed again, inside the program's own event
// loop: each cycle returns to the outer loop, where the application lets go of unloaded pages.
TEST(Soak, AThousandProductPagesOpenedAndReturnedFromLeaveNothingBehind) {
    constexpr int kWarmUp = 50;
    constexpr int kCycles = 1000;
    testing_support::FakeSystem system;
    platform::Application app;
    testing_support::Pump(app);  // a quit request left by an earlier test would end the run at once
    app::Program program(app);
    auto main = [&program]() -> pages::MainPage& { return *program.MainPage(); };
    auto productPageUp = [&] {
        pages::AdvertisePage* page = main().LoadedAdvertisePage();
        return page && page->InitDone() && IsWindowVisible(page->hwnd());
    };
    auto mainPageAlone = [&] {
        return program.MainPage() && main().InitDone() && !main().LoadedAdvertisePage();
    };
    auto pressEsc = [&] { PostMessageA(main().LoadedAdvertisePage()->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); };

    ResourceCounts afterWarmUp;
    ResourceCounts atEnd;
    int opened = 0;
    testing_support::Script script(10);
    script.Then("the welcome page is up", productPageUp, pressEsc);
    for (int cycle = 0; cycle < kWarmUp + kCycles; ++cycle) {
        script.Then("the main page is alone", mainPageAlone, [&, cycle] {
            if (cycle == kWarmUp) afterWarmUp = ResourceCounts::Now();
            ++opened;
            main().cmdChoice_Click(
                static_cast<std::int16_t>(cycle % 18 + 1));  // returns when the page has gone
        });
        script.Then("the product page is up", productPageUp, pressEsc);
    }
    script.Then("the last product page has gone", mainPageAlone, [&] {
        atEnd = ResourceCounts::Now();
        main().UnloadWithoutAsking();
    });
    program.Main();
    app.Run();

    ASSERT_TRUE(script.Done()) << "stopped at: " << script.Pending();
    EXPECT_EQ(opened, kWarmUp + kCycles);
    EXPECT_EQ(atEnd.GrowthSince(afterWarmUp), "");
}
