// The button and the keyboard: Space as the keyboard click, focus, and the page's keys (Tab, access
// keys, Enter and Esc), each key going through the program's event loop as it would from Windows.
#include <deque>
#include <stdexcept>

#include "input_fixture.h"

namespace {

using testing_support::ButtonRecorder;
using testing_support::Pump;

class ButtonKeys : public ButtonInput {
protected:
    void KeyDown(WPARAM key, bool repeat = false) {
        testing_support::PostKeyDown(GetFocus(), key, repeat);
        Pump(app_);
    }
    void KeyUp(WPARAM key) {
        testing_support::PostKeyUp(GetFocus(), key);
        Pump(app_);
    }
};

TEST_F(ButtonKeys, SpaceIsTheKeyboardClick) {
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "look 2", "KeyPress 32", "KeyUp 32 0", "look 0", "Click"}));
}

TEST_F(ButtonKeys, HeldSpaceRepeatsItsKeyEventsButPaintsOnceAndClicksOnceOnRelease) {
    int painted = button_->PaintCount();
    KeyDown(VK_SPACE);
    KeyDown(VK_SPACE, true);
    KeyDown(VK_SPACE, true);
    EXPECT_EQ(button_->PaintCount() - painted, 1);
    KeyUp(VK_SPACE);
    const ButtonRecorder& r = *recorder_;
    EXPECT_EQ(r.Count("KeyDown 32 0"), 3);
    EXPECT_EQ(r.Count("KeyPress 32"), 3);
    EXPECT_EQ(r.Count("look 2"), 3);
    EXPECT_EQ(r.Count("Click"), 1);
    EXPECT_EQ(r.lines().back(), "Click");
}

TEST_F(ButtonKeys, ASecondKeyPressedDuringSpaceCancelsTheClickAndTheDownLookStays) {
    KeyDown(VK_SPACE);
    KeyDown('A');
    KeyUp(VK_SPACE);
    EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "look 2", "KeyPress 32", "KeyDown 65 0", "KeyPress 97", "KeyUp 32 0"}));
    EXPECT_EQ(button_->fields().LastState, button::kStateDown);
    KeyUp('A');
    EXPECT_EQ(Take(), Lines({"KeyUp 65 0"}));
}

struct KeyCodeCase {
    const char* name;
    bool inKeyDown;  // else in KeyUp
    Lines expected;
    std::uint8_t lastState;
};

class KeyHandlerClearsKeyCode : public ButtonKeys, public ::testing::WithParamInterface<KeyCodeCase> {};

TEST_P(KeyHandlerClearsKeyCode, SuppressesWhatTheSpaceWouldHaveDone) {
    const KeyCodeCase& c = GetParam();
    auto& handler = c.inKeyDown ? button_->events.KeyDown : button_->events.KeyUp;
    handler = [record = handler](std::int16_t& key, std::int16_t& shift) {
        record(key, shift);
        key = 0;
    };
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    EXPECT_EQ(Take(), c.expected);
    EXPECT_EQ(button_->fields().LastState, c.lastState);
}

INSTANTIATE_TEST_SUITE_P(
    InKeyDownOrKeyUp, KeyHandlerClearsKeyCode,
    ::testing::Values(
        KeyCodeCase{"InKeyDown", true, {"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"}, button::kStateUp},
        KeyCodeCase{"InKeyUp", false, {"KeyDown 32 0", "look 2", "KeyPress 32", "KeyUp 32 0"}, button::kStateDown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonKeys, FocusAndAmbientChangesRepaintTheLastPaintedStateForced) {
    KeyDown(VK_SPACE);
    Take();
    SetFocus(nullptr);
    EXPECT_FALSE(button_->fields().HasFocus);
    EXPECT_EQ(Take(), Lines({"look 2 forced"}));
    SetFocus(window_);
    EXPECT_TRUE(button_->fields().HasFocus);
    EXPECT_EQ(Take(), Lines({"look 2 forced"}));
    button_->OnAmbientChanged("DisplayAsDefault");
    EXPECT_EQ(Take(), Lines({"look 2 forced"}));
}

// ---- A check button clicked in each of the three ways ----

enum class Way { Mouse, Space, AccessKey };

class CheckButtonClick : public ButtonKeys, public ::testing::WithParamInterface<Way> {
protected:
    void ClickBy(Way way) {
        switch (way) {
        case Way::Mouse:
            Send(WM_LBUTTONDOWN);
            Send(WM_LBUTTONUP);
            break;
        case Way::Space:
            KeyDown(VK_SPACE);
            KeyUp(VK_SPACE);
            break;
        case Way::AccessKey:
            PostMessageA(GetFocus(), WM_SYSCHAR, 'r', 0);
            Pump(app_);
            break;
        }
    }
};

TEST_P(CheckButtonClick, InvertsValueBeforeClickQuietlyAndTellsTheScreenReader) {
    button_->SetCheckBoxBehaviour(true);
    std::vector<std::string> notices;
    button_->OnPropertyChanged = [&](std::string_view key) { notices.emplace_back(key); };
    std::vector<bool> valueSeenByClick;
    bool windowUpToDate = true;
    button_->events.Click = [&] {
        valueSeenByClick.push_back(button_->Value());
        windowUpToDate = windowUpToDate && !GetUpdateRect(window_, nullptr, FALSE);
    };

    ClickBy(GetParam());
    EXPECT_TRUE(button_->Value());
    EXPECT_EQ(SendMessageA(window_, BM_GETCHECK, 0, 0), BST_CHECKED);
    ClickBy(GetParam());
    EXPECT_FALSE(button_->Value());
    EXPECT_EQ(SendMessageA(window_, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    EXPECT_EQ(valueSeenByClick, std::vector<bool>({true, false}));
    EXPECT_TRUE(notices.empty()) << notices.front();
    EXPECT_TRUE(windowUpToDate) << "Click ran before the new look reached the screen";
}

INSTANTIATE_TEST_SUITE_P(MouseSpaceOrAccessKey, CheckButtonClick,
                         ::testing::Values(Way::Mouse, Way::Space, Way::AccessKey), [](const auto& info) {
                             return std::string(info.param == Way::Mouse   ? "Mouse"
                                                : info.param == Way::Space ? "Space"
                                                                           : "AccessKey");
                         });

// ---- The page's keys, on a page of three buttons ----

class PageKeys : public ::testing::Test {
protected:
    void SetUp() override {
        // Listed out of tab order: the tab order follows TabIndex.
        auto block = [](const std::string& name, int top, const std::string& extra) {
            return "    Begin Catalog.TamrixButton " + name +
                   "\n        Left = 0\n        Top = " + std::to_string(top) +
                   "\n        Width = 1500\n        Height = 450\n" + extra + "        BTYPE = 14\n    End\n";
        };
        std::string layout = "Begin Page frmKeys\n    Width = 6000\n    Height = 4500\n" +
                             block("cmdCancel", 1200, "        TabIndex = 2\n        Cancel = -1\n") +
                             block("cmdApply", 0, "        TabIndex = 0\n") +
                             block("cmdBoth", 600, "        TabIndex = 1\n        Default = -1\n") + "End\n";
        page_ = testing_support::MakeButtonPage(app_, layout);
        page_->Load();
        for (const char* name : {"cmdApply", "cmdBoth", "cmdCancel"}) {
            auto& b = page_->Get<button::TamrixButton>(name);
            b.SetAccessKeys(std::string(1, static_cast<char>(name[3] - 'A' + 'a')));
            buttons_.push_back(&b);
        }
        page_->Show();
        testing_support::PointerAway(app_);
        ASSERT_TRUE(testing_support::PumpUntil(app_, [this] { return GetFocus() == apply().hwnd(); }));
        for (auto* b : buttons_) recorders_.emplace_back(*b);
    }
    void TearDown() override { page_->UnloadWithoutAsking(); }

    button::TamrixButton& apply() { return *buttons_[0]; }
    button::TamrixButton& both() { return *buttons_[1]; }
    button::TamrixButton& cancel() { return *buttons_[2]; }
    ButtonRecorder& RecorderOf(const button::TamrixButton& b) {
        for (std::size_t i = 0; i < buttons_.size(); ++i)
            if (buttons_[i] == &b) return recorders_[i];
        throw std::logic_error("no such button");
    }
    int Clicks(const button::TamrixButton& b) { return RecorderOf(b).Count("Click"); }
    void Press(UINT message, WPARAM key) {
        if (message == WM_KEYDOWN)
            testing_support::PostKeyDown(GetFocus(), key);
        else
            PostMessageA(GetFocus(), message, key, 0);
        Pump(app_);
    }
    static void Disable(button::TamrixButton& b) {
        b.SetEnabled(false);
        static_cast<platform::Control&>(b).SetEnabled(false);
    }

    platform::Application app_;
    std::shared_ptr<testing_support::TestPage> page_;
    std::vector<button::TamrixButton*> buttons_;
    std::deque<ButtonRecorder> recorders_;
};

TEST_F(PageKeys, TabAndShiftTabMoveTheFocusAroundTheButtonsInTabOrder) {
    std::vector<HWND> visited;
    for (int i = 0; i < 3; ++i) {
        Press(WM_KEYDOWN, VK_TAB);
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, std::vector<HWND>({both().hwnd(), cancel().hwnd(), apply().hwnd()}));

    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE shifted[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(shifted));
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    Press(WM_KEYDOWN, VK_TAB);
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), cancel().hwnd());

    EXPECT_TRUE(cancel().fields().HasFocus);
    EXPECT_FALSE(apply().fields().HasFocus);
    for (auto* b : buttons_) {
        EXPECT_EQ(RecorderOf(*b).Count("KeyDown 9 0"), 0) << "Tab is the page's key";
        EXPECT_GE(RecorderOf(*b).Count("look 0 forced"), 2) << "focus came and went, each repainting";
    }
}

struct AccessKeyCase {
    const char* name;
    UINT message;  // WM_SYSCHAR for Alt+letter, WM_CHAR for the letter alone
    char key;
    int target;  // 0 apply, 1 both, 2 cancel
};

class PageAccessKey : public PageKeys, public ::testing::WithParamInterface<AccessKeyCase> {};

TEST_P(PageAccessKey, FocusesAndClicksTheButtonOfTheKey) {
    const AccessKeyCase& c = GetParam();
    Press(c.message, static_cast<WPARAM>(c.key));
    button::TamrixButton& target = *buttons_[static_cast<std::size_t>(c.target)];
    EXPECT_EQ(GetFocus(), target.hwnd());
    for (auto* b : buttons_) EXPECT_EQ(Clicks(*b), b == &target ? 1 : 0) << b->Name();
}

INSTANTIATE_TEST_SUITE_P(AltOrAlone, PageAccessKey,
                         ::testing::Values(AccessKeyCase{"AltB", WM_SYSCHAR, 'b', 1},
                                           AccessKeyCase{"AltUpperC", WM_SYSCHAR, 'C', 2},
                                           AccessKeyCase{"LetterC", WM_CHAR, 'c', 2},
                                           AccessKeyCase{"OwnLetter", WM_CHAR, 'a', 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageKeys, EnterClicksTheDefaultAndEscTheCancelButtonWithoutMovingTheFocus) {
    Press(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Clicks(both()), 1);
    Press(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(Clicks(cancel()), 1);
    EXPECT_EQ(GetFocus(), apply().hwnd());
    EXPECT_EQ(Clicks(apply()), 0);
    EXPECT_EQ(RecorderOf(apply()).Count("KeyDown 13 0"), 0) << "Enter reaches the buttons only as a click";
    EXPECT_EQ(RecorderOf(apply()).Count("KeyDown 27 0"), 0);

    // The default button with the focus: one click, no key.
    SetFocus(both().hwnd());
    Press(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Clicks(both()), 2);
    EXPECT_EQ(RecorderOf(both()).Count("KeyDown 13 0"), 0);
}

TEST_F(PageKeys, ADisabledButtonIgnoresItsAccessKeyAndEnter) {
    Disable(both());
    RecorderOf(both()).Take();
    Press(WM_SYSCHAR, 'b');
    Press(WM_KEYDOWN, VK_RETURN);
    both().OnAccessKey();  // as if the page still handed it the key
    EXPECT_EQ(RecorderOf(both()).lines(), Lines{});
    EXPECT_EQ(GetFocus(), apply().hwnd());
    EXPECT_EQ(RecorderOf(apply()).Count("KeyDown 13 0"), 1) << "with no usable default, Enter is the focused key";
}

}  // namespace
