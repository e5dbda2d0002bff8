// Start-up: the product list, the printer's unit and the main page.
#include <gtest/gtest.h>

#include "app/program.h"
#include "catalog/catalog_table.h"
#include "pages/main_page.h"
#include "platform/forms/application.h"
#include "support/fake_system.h"
#include "support/recording_printer.h"

TEST(Startup, BuildsTheListSetsInchesAndShowsTheMainPageWithOrWithoutAPrinter) {
    for (bool withPrinter : {true, false}) {
        testing_support::FakeSystem system;  // without a printer it throws "No printer is installed."
        testing_support::RecordingPrinter printer;
        if (withPrinter) system.printer = &printer;
        platform::Application app;
        app::Program program(app);
        program.Main();
        const catalog::ProductList& names = catalog::ProductNames();
        ASSERT_EQ(names.Count(), 18);
        EXPECT_EQ(names.Item(1) + names.Item(12) + names.Item(18), "CoinsteadCallwardenSumstar");
        EXPECT_EQ(printer.scaleMode, withPrinter ? platform::Printer::kScaleInches : 0);
        ASSERT_NE(program.MainPage(), nullptr);
        EXPECT_TRUE(IsWindowVisible(program.MainPage()->hwnd()));
        for (const auto& message : system.messages) ADD_FAILURE() << "unexpected message: " << message.text;
        program.MainPage()->UnloadWithoutAsking();
    }
}
