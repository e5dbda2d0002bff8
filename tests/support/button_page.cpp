#include "support/button_page.h"

#include "platform/win32/units.h"

namespace testing_support {

std::shared_ptr<TestPage> MakeButtonPage(platform::Application& app, const std::string& layout,
                                         std::vector<std::string>* log) {
    auto page = std::make_shared<TestPage>(app, layout, log);
    TestPage* raw = page.get();
    page->makeControl = [raw](const platform::LayoutNode& node) -> std::unique_ptr<platform::Control> {
        if (node.className == button::TamrixButton::kClassName)
            return std::make_unique<button::TamrixButton>(*raw, node);
        return nullptr;
    };
    return page;
}

ButtonFixture MakeButton(platform::Application& app, int widthPixels, int heightPixels,
                         const std::string& settings, bool show) {
    std::string layout =
        "Begin Page frmButtonTest\n    Width = 6000\n    Height = 4500\n"
        "    BackColor = &H00FFC0C0&\n"
        "    Begin Catalog.TamrixButton cmdTest\n        Left = 0\n        Top = 0\n"
        "        Width = " +
        std::to_string(platform::PixelsToTwips(widthPixels, platform::SystemDpi())) +
        "\n"
        "        Height = " +
        std::to_string(platform::PixelsToTwips(heightPixels, platform::SystemDpi())) + "\n" + settings +
        "    End\nEnd\n";
    ButtonFixture fixture;
    fixture.page = MakeButtonPage(app, layout);
    fixture.page->Load();
    fixture.button = &fixture.page->Get<button::TamrixButton>("cmdTest");
    if (show) fixture.page->Show();
    return fixture;
}

}  // namespace testing_support
