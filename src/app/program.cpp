#include "app/program.h"

#include <exception>

#include "catalog/catalog_table.h"
#include "pages/main_page.h"
#include "platform/forms/application.h"
#include "platform/system/system.h"
#include "platform/win32/resources.h"

namespace app {

Program::Program(platform::Application& application) : application_(application) {}

Program::~Program() = default;

void Program::Main() {
    platform::SystemServices& system = platform::System();

    if (system.PreviousInstanceRunning()) {
        system.ShowMessage(
            nullptr, platform::ApplicationTitle() + " is already loaded\r\nand running on your computer!",
            "Terminating...", MB_OK | MB_ICONHAND);
        return;  // no window was made, so the run ends here
    }

    catalog::ProductList& names = catalog::ProductNames();
    names.Clear();
    for (std::string_view name : catalog::kProductNameTable) names.Add(std::string(name));

    // Printing measures in inches. Without a printer this fails, and start-up goes on regardless.
    try {
        system.DefaultPrinter().SetScaleMode(platform::Printer::kScaleInches);
    } catch (const std::exception&) {
    }

    frmMainPage_ = std::make_shared<pages::MainPage>(application_);
    frmMainPage_->Show();
}

}  // namespace app
