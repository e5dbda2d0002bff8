// The page's keys (Tab, access keys, Enter and Esc) and the buttons, each key going through the
// program's event loop as it would from Windows. (Space and the button's own keys: input_test.cpp.)
#include <deque>

#include "input_fixture.h"

namespace {

using testing_support::ButtonRecorder;
using testing_support::Pump;

// The page's keys, on a page of three buttons listed out of tab order: cmdApply (a), cmdBoth (b, the
// default) and cmdCancel (c, the cancel button).
class PageKeys : public ::testing::Test {
protected:
    void SetUp() override {
        auto block = [](const std::string& name, int top, const std::string& extra) {
            return "    Begin Catalog.TamrixButton " + name +
                   "\n        Left = 0\n        Top = " + std::to_string(top) +
                   "\n        Width = 1500\n        Height = 450\n" + extra + "        BTYPE = 14\n    End\n";
        };
        page_ = testing_support::MakeButtonPage(
            app_, "Begin Page frmKeys\n    Width = 6000\n    Height = 4500\n" +
                      block("cmdCancel", 1200, "        TabIndex = 2\n        Cancel = -1\n") +
                      block("cmdApply", 0, "        TabIndex = 0\n") +
                      block("cmdBoth", 600, "        TabIndex = 1\n        Default = -1\n") + "End\n");
        page_->Load();
        for (const char* name : {"cmdApply", "cmdBoth", "cmdCancel"}) {
            auto& b = page_->Get<button::TamrixButton>(name);
            b.SetAccessKeys(std::string(1, static_cast<char>(name[3] - 'A' + 'a')));
            buttons_.push_back(&b);
        }
        page_->Show();
        testing_support::PointerAway(app_);
        ASSERT_TRUE(testing_support::PumpUntil(app_, [this] { return GetFocus() == buttons_[0]->hwnd(); }));
        for (auto* b : buttons_) recorders_.emplace_back(*b);
    }
    void TearDown() override { page_->UnloadWithoutAsking(); }

    HWND Window(int i) { return buttons_[static_cast<std::size_t>(i)]->hwnd(); }
    int Count(int i, const std::string& line) { return recorders_[static_cast<std::size_t>(i)].Count(line); }
    void Press(UINT message, WPARAM key) {
        if (message == WM_KEYDOWN) testing_support::PostKeyDown(GetFocus(), key);
        else PostMessageA(GetFocus(), message, key, 0);
        Pump(app_);
    }

    platform::Application app_;
    std::shared_ptr<testing_support::TestPage> page_;
    std::vector<button::TamrixButton*> buttons_;
    std::deque<ButtonRecorder> recorders_;
};

TEST_F(PageKeys, TabMovesTheFocusAroundTheButtonsInTabOrder) {
    std::vector<HWND> visited;
    for (int i = 0; i < 3; ++i) {
        Press(WM_KEYDOWN, VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, std::vector<HWND>({Window(1), Window(2), Window(0)}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Count(i, "KeyDown 9 0"), 0) << "Tab is the page's key";
}

TEST_F(PageKeys, AnAccessKeyWithOrWithoutAltFocusesAndClicksItsButton) {
    const std::tuple<UINT, char, int> cases[] = {
        {WM_SYSCHAR, 'b', 1}, {WM_SYSCHAR, 'C', 2}, {WM_CHAR, 'c', 2}, {WM_CHAR, 'a', 0}};
    std::vector<int> clicks(3);
    for (auto [message, key, target] : cases) {
        Press(message, static_cast<WPARAM>(key));
        EXPECT_EQ(GetFocus(), Window(target)) << key;
        ++clicks[static_cast<std::size_t>(target)];
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Count(i, "Click"), clicks[static_cast<std::size_t>(i)]) << key << i;
    }
}

TEST_F(PageKeys, EnterClicksTheDefaultAndEscTheCancelButtonWithoutMovingTheFocus) {
    Press(WM_KEYDOWN, VK_RETURN);
    Press(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(Count(1, "Click") * 10 + Count(2, "Click"), 11);
    EXPECT_EQ(GetFocus(), Window(0));
    EXPECT_EQ(Count(0, "Click"), 0);
    EXPECT_EQ(Count(0, "KeyDown 13 0") + Count(0, "KeyDown 27 0"), 0)
        << "Enter and Esc reach buttons as clicks";
}

}  // namespace
