// Jobs for the real spooler. The spooler check (tests/spooler/print_through_cups.sh) runs this with
// CATALOG_SPOOLER_JOB naming one job, waits for the PDF that the cups-pdf printer writes and reads
// it back. In a plain test run there is no job to print and the test is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/catalog_table.h"
#include "common/print_text.h"
#include "platform/application.h"
#include "platform/gdi_printer.h"
#include "platform/resources.h"
#include "support/fake_system.h"
#include "support/test_page.h"

namespace {

// The order form as the product page's print command builds it for one row.
std::string OrderFormText(int index) {
    const app::CatalogEntry& row = app::CatalogTable()[static_cast<std::size_t>(index - 1)];
    EXPECT_EQ(row.index, index);
    std::string caption(app::kProductNameTable[static_cast<std::size_t>(index - 1)]);
    return "Order form for\r\n" + caption + " (" + std::string(row.priceText) + ")\r\n\r\n" +
           platform::LoadResString(100);
}

std::string JobText(const std::string& job) {
    if (job == "order-form-7") return OrderFormText(7);
    if (job == "description-12") return platform::LoadResString(12);
    if (job == "long-text")
        return platform::LoadResString(12) + "\r\n\r\n" + platform::LoadResString(5) + "\r\n\r\n" +
               platform::LoadResString(14);
    return {};
}

}  // namespace

TEST(Spooler, PrintsTheNamedJobOnTheDefaultPrinter) {
    const char* job = std::getenv("CATALOG_SPOOLER_JOB");
    if (!job) GTEST_SKIP() << "run by the spooler check only";
    std::string text = JobText(job);
    ASSERT_FALSE(text.empty()) << "unknown job " << job;
    std::string printerName = platform::GdiPrinter::DefaultPrinterName();
    ASSERT_FALSE(printerName.empty()) << "no default printer in this Wine prefix";
    if (const char* expected = std::getenv("CATALOG_PDF_PRINTER")) {
        ASSERT_EQ(printerName, expected) << "Wine's default printer is not the PDF printer";
    }

    // The program's own printer object and a real page as the owner; only message boxes are answered
    // here, so that a failure shows up in the test instead of waiting for a click.
    testing_support::FakeSystem system;
    system.printer = &system.platform::SystemServices::DefaultPrinter();
    platform::Application app;
    auto page = std::make_shared<testing_support::TestPage>(app, testing_support::SimpleLayout("frmAdvertise"));
    page->Show();
    ASSERT_TRUE(testing_support::PumpUntil(app, [&] { return page->activations == 1; }));

    common::PrintText(*page, text, "", false, false);

    for (const auto& message : system.messages) ADD_FAILURE() << message.title << ": " << message.text;
    EXPECT_TRUE(IsWindowEnabled(page->hwnd()));
    std::printf("printed %s on %s\n", job, printerName.c_str());
    page->UnloadWithoutAsking();
}
