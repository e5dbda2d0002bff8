// The page's keys and the buttons: access keys, and where the focus goes back, each key going through
// the program's event loop as it would from Windows. (Space and the button's own keys: input_test.cpp.)
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

// The page gives the focus back to the button that had it when the page was left, unless that button
// can no longer take it (disabled or hidden meanwhile): then to the first one in tab order.
TEST_F(PageKeys, TheFocusComesBackToTheButtonThatHadItWhileItCanStillTakeIt) {
    auto other = std::make_shared<testing_support::TestPage>(app_, testing_support::SimpleLayout("frmOther"));
    auto leaveAndComeBack = [&](const std::function<void()>& meanwhile) {
        other->Show();
        EXPECT_TRUE(testing_support::PumpUntil(app_, [&] { return GetActiveWindow() == other->hwnd(); }));
        meanwhile();
        SetActiveWindow(page_->hwnd());
        Pump(app_);
        return GetFocus();
    };
    Press(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(leaveAndComeBack([] {}), Window(1));
    EXPECT_EQ(leaveAndComeBack([&] { buttons_[1]->SetEnabled(false); }), Window(0));
    buttons_[1]->SetEnabled(true);
    Press(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(leaveAndComeBack([&] { buttons_[1]->SetVisible(false); }), Window(0));
    other->UnloadWithoutAsking();
}

}  // namespace
