// The program started as from its entry point, with the world outside faked, and a product page shown
// on its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include "app/program.h"
#include "catalog/catalog_table.h"
#include "pages/main_page.h"
#include "platform/win32/gdi.h"
#include "platform/win32/resources.h"
#include "support/button_surface.h"
#include "support/expected_products.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"
#include "support/script.h"
#include "support/test_page.h"

inline std::vector<std::vector<std::string>> ExpectedProducts() {
    return testing_support::ExpectedProducts(CATALOG_TESTS_DIR);
}

// How a page is closed in a test: Esc unless said otherwise.
using CloseWay = std::function<void(HWND page)>;
inline void PressEsc(HWND page) {
    PostMessageA(page, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Whether what `window` shows of its own (its background, without its controls) is `picture` laid edge to
// edge from the top-left corner, to the last pixel.
inline void ExpectTiledWith(HWND window, const platform::Picture& picture) {
    RECT client{};
    GetClientRect(window, &client);
    const int w = picture.WidthPixels(), h = picture.HeightPixels();
    platform::WindowDC screen(nullptr);
    platform::MemorySurface shown, tile;
    shown.CreateDib(screen.get(), client.right, client.bottom);
    tile.CreateDib(screen.get(), w, h);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.dc()), PRF_CLIENT);
    picture.Draw(tile.dc(), 0, 0);
    const auto background = testing_support::CapturePixels(shown.dc(), 0, 0, client.right, client.bottom);
    const auto expected = testing_support::CapturePixels(tile.dc(), 0, 0, w, h);
    int wrong = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) wrong += background.at(x, y) != expected.at(x % w, y % h);
    EXPECT_EQ(wrong, 0) << "pixels that are not the tiled picture";
}

// The frame buttons a page's window has, and where its centre lies from the centre of `around` (the
// work area of the screen when null): "caption, system menu, minimize box" and "+0+0" for one centred.
inline std::string FrameAndPlace(HWND window, HWND around) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    std::string frame;
    for (auto [bits, name] : {std::pair<LONG, const char*>{WS_CAPTION, "caption"},
                              {WS_SYSMENU, "system menu"},
                              {WS_MINIMIZEBOX, "minimize box"},
                              {WS_MAXIMIZEBOX, "maximize box"},
                              {WS_THICKFRAME, "sizing border"},
                              {WS_POPUP, "pop-up"}})
        if ((style & bits) == bits) frame += std::string(frame.empty() ? "" : ", ") + name;
    RECT mine{}, other{};
    GetWindowRect(window, &mine);
    if (around) GetWindowRect(around, &other);
    else SystemParametersInfoA(SPI_GETWORKAREA, 0, &other, 0);
    auto offset = [](LONG a, LONG b, LONG c, LONG d) {
        LONG twice = (a + b) - (c + d),
             off = twice >= -2 && twice <= 2 ? 0 : twice / 2;  // a pixel is nothing
        char text[16];
        std::snprintf(text, sizeof text, "%+ld", static_cast<long>(off));
        return std::string(text);
    };
    return frame + " " + offset(mine.left, mine.right, other.left, other.right) +
           offset(mine.top, mine.bottom, other.top, other.bottom);
}

// The running program; Start() runs Main and closes the welcome page (with Esc unless `close` says
// otherwise) once `look` has seen it.
struct Started {
    testing_support::FakeSystem system;
    platform::Application app;
    app::Program program{app};
    pages::MainPage& main() { return *program.MainPage(); }
    pages::AdvertisePage* advertise() { return program.MainPage() ? main().LoadedAdvertisePage() : nullptr; }

    void Start(const std::function<void(pages::AdvertisePage&)>& look = {},
               const CloseWay& close = PressEsc) {
        testing_support::Script script;
        script.Then(
            "the welcome page is up", [&] { return advertise() && advertise()->InitDone(); },
            [&] {
                if (look) look(*advertise());
                close(advertise()->hwnd());
            });
        program.Main();
        ASSERT_TRUE(testing_support::PumpUntil(
            app, [&] { return script.Done() && main().InitDone() && !advertise(); }, 20000))
            << "waiting for: " << script.Pending();
    }
    // Opens product `index` with its button (as Enter or a click does) and runs `look` while the page is
    // up, then closes it and returns.
    void OpenProduct(int index, const std::function<void(pages::AdvertisePage&)>& look,
                     const CloseWay& close = PressEsc) {
        testing_support::Script script;
        script.Then(
            "product page", [&] { return advertise() && advertise()->InitDone(); },
            [&] {
                look(*advertise());
                close(advertise()->hwnd());
            });
        main().cmdChoice(index).OnAccessKey();
        EXPECT_TRUE(script.Done()) << "the page closed before it was looked at";
        EXPECT_EQ(advertise(), nullptr);
    }
    ~Started() {
        if (program.MainPage() && main().IsLoaded()) main().UnloadWithoutAsking();
    }
};

// A product page shown on its own, with the product list filled, captioned `caption` and showing
// description `description` (none when 0).
struct ProductPage {
    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    platform::Application app;
    std::shared_ptr<pages::AdvertisePage> page;

    explicit ProductPage(const std::string& caption, int description = 0) {
        system.printer = &printer;
        catalog::ProductNames().Clear();
        for (std::string_view name : catalog::kProductNameTable)
            catalog::ProductNames().Add(std::string(name));
        page = std::make_shared<pages::AdvertisePage>(app);
        page->Load();
        page->SetCaption(caption);
        if (description) page->txtProgramDescription().SetText(platform::LoadResString(description));
        page->cmdReturn().SetCaption("&Return\r\n(Esc)");  // as the main page captions it
        page->Show();
        EXPECT_TRUE(testing_support::PumpUntil(app, [&] { return page->InitDone(); }));
    }
    ~ProductPage() {
        if (page->IsLoaded()) page->UnloadWithoutAsking();
    }
    // The printed text of every page, line ends as "\n".
    std::string Printed() const {
        std::string text;
        for (int n = 1; n <= printer.page; ++n) text += printer.PageText(n);
        return text;
    }
};
