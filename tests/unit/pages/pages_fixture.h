// The program started as from its entry point, with the world outside faked, and a product page shown
// on its own.
#pragma once

#include <gtest/gtest.h>

#include "app/program.h"
#include "catalog/catalog_table.h"
#include "pages/main_page.h"
#include "platform/win32/resources.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"
#include "support/script.h"
#include "support/test_page.h"

// How a page is closed in a test: Esc unless said otherwise.
using CloseWay = std::function<void(HWND page)>;
inline void PressEsc(HWND page) {
    PostMessageA(page, WM_KEYDOWN, VK_ESCAPE, 0);
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
    // Opens product `index` from its button's command and runs `look` while the page is up, then closes
    // it and returns.
    void OpenProduct(int index, const std::function<void(pages::AdvertisePage&)>& look,
                     const CloseWay& close = PressEsc) {
        testing_support::Script script;
        script.Then(
            "product page", [&] { return advertise() && advertise()->InitDone(); },
            [&] {
                look(*advertise());
                close(advertise()->hwnd());
            });
        main().cmdChoice_Click(static_cast<std::int16_t>(index));
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
