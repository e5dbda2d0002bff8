// A test page that hosts TamrixButtons, and a quick way to put one button on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "button/tamrix_button.h"
#include "platform/win32/units.h"
#include "support/test_page.h"

namespace testing_support {

// A page from layout text whose Catalog.TamrixButton blocks become real buttons.
inline std::shared_ptr<TestPage> MakeButtonPage(platform::Application& app, const std::string& layout,
                                                std::vector<std::string>* log = nullptr) {
    auto page = std::make_shared<TestPage>(app, layout, log);
    page->makeControl = [raw = page.get()](const platform::LayoutNode& node) {
        return node.className == button::TamrixButton::kClassName
                   ? std::make_unique<button::TamrixButton>(*raw, node)
                   : nullptr;
    };
    return page;
}

// A shown page holding one button `cmdTest` at (0, 0) of the given pixel size with the given stored
// settings lines (e.g. "BTYPE = 14\nBCOL = &H00C0C0C0&\n"); an empty `settings` makes a new control.
// The page is unloaded when the fixture goes, unless the test did so already.
struct ButtonFixture {
    ButtonFixture() = default;
    ButtonFixture(ButtonFixture&&) = default;
    ButtonFixture& operator=(ButtonFixture&&) = default;
    ~ButtonFixture() {
        if (page && page->IsLoaded()) page->UnloadWithoutAsking();
    }
    std::shared_ptr<TestPage> page;
    button::TamrixButton* button = nullptr;
};
inline ButtonFixture MakeButton(platform::Application& app, int widthPixels, int heightPixels,
                                const std::string& settings, bool show = true) {
    auto twips = [](int pixels) {
        return std::to_string(platform::PixelsToTwips(pixels, platform::SystemDpi()));
    };
    ButtonFixture fixture;
    fixture.page =
        MakeButtonPage(app,
                       "Begin Page frmButtonTest\n    Width = 6000\n    Height = 4500\n"
                       "    BackColor = &H00FFC0C0&\n"
                       "    Begin Catalog.TamrixButton cmdTest\n        Left = 0\n        Top = 0\n"
                       "        Width = " +
                           twips(widthPixels) + "\n        Height = " + twips(heightPixels) + "\n" +
                           settings + "    End\nEnd\n");
    fixture.page->Load();
    fixture.button = &fixture.page->Get<button::TamrixButton>("cmdTest");
    if (show) fixture.page->Show();
    return fixture;
}

// A test that puts buttons on pages of their own, unloaded when the test ends.
class ButtonTest : public ::testing::Test {
protected:
    button::TamrixButton& Make(int widthPixels, int heightPixels, const std::string& settings) {
        fixtures_.push_back(MakeButton(app, widthPixels, heightPixels, settings));
        return *fixtures_.back().button;
    }
    TestPage& PageOf(int index = 0) { return *fixtures_.at(static_cast<std::size_t>(index)).page; }

    platform::Application app;
    std::vector<ButtonFixture> fixtures_;
};

}  // namespace testing_support
