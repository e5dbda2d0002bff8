// Start-up: the second-copy refusal, the product list, the printer's unit and the main page.
#include <gtest/gtest.h>

#include "app/catalog_table.h"
#include "app/program.h"
#include "pages/main_page.h"
#include "platform/application.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

TEST(Startup, ASecondCopyIsRefusedWithTwoLinesAndMakesNoWindow) {
    testing_support::FakeSystem system;
    system.previousInstance = true;
    platform::Application app;
    app::Program program(app);
    program.Main();
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "Catalog is already loaded\r\nand running on your computer!");
    EXPECT_EQ(system.messages[0].title, "Terminating...");
    EXPECT_EQ(system.messages[0].style & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_ICONHAND | MB_OK));
    EXPECT_EQ(program.MainPage(), nullptr);
    EXPECT_TRUE(app.LoadedPages().empty());
    EXPECT_EQ(app.Run(), 0);  // nothing to run: the program ends at once
}

TEST(Startup, BuildsTheListSetsInchesAndShowsTheMainPage) {
    testing_support::FakeSystem system;
    testing_support::RecordingPrinter printer;
    system.printer = &printer;
    platform::Application app;
    app::Program program(app);
    program.Main();
    const app::ProductList& names = app::ProductNames();
    ASSERT_EQ(names.Count(), 18);
    EXPECT_EQ(names.Item(1), "Coinstead");
    EXPECT_EQ(names.Item(12), "Callwarden");
    EXPECT_EQ(names.Item(18), "Sumstar");
    EXPECT_EQ(printer.scaleMode, platform::Printer::kScaleInches);
    ASSERT_NE(program.MainPage(), nullptr);
    EXPECT_TRUE(IsWindowVisible(program.MainPage()->hwnd()));
    EXPECT_EQ(program.MainPage()->Caption(), "Tamrix Software Catalog {rev 2026.12.6}");
    program.MainPage()->UnloadWithoutAsking();
}

TEST(Startup, WithoutAPrinterStartUpGoesOnSilently) {
    testing_support::FakeSystem system;  // its printer throws "No printer is installed."
    platform::Application app;
    app::Program program(app);
    program.Main();
    ASSERT_NE(program.MainPage(), nullptr);
    EXPECT_TRUE(program.MainPage()->IsLoaded());
    for (const auto& message : system.messages) ADD_FAILURE() << "unexpected message: " << message.text;
    program.MainPage()->UnloadWithoutAsking();
}
