// The button and the keyboard: Space as the keyboard click, focus, and the page's keys (Tab, access
// keys, Enter and Esc), each key going through the program's event loop as it would from Windows.
#include <deque>

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

TEST_F(ButtonKeys, SpaceIsTheKeyboardClickAndHeldItPaintsOnceAndClicksOnceOnRelease) {
    KeyDown(VK_SPACE);
    KeyUp(VK_SPACE);
    EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "look 2", "KeyPress 32", "KeyUp 32 0", "look 0", "Click"}));

    int painted = button_->PaintCount();
    KeyDown(VK_SPACE);
    KeyDown(VK_SPACE, true);
    KeyDown(VK_SPACE, true);
    EXPECT_EQ(button_->PaintCount() - painted, 1);
    KeyUp(VK_SPACE);
    for (const char* line : {"KeyDown 32 0", "KeyPress 32", "look 2"}) EXPECT_EQ(recorder_->Count(line), 3) << line;
    EXPECT_EQ(recorder_->Count("Click"), 1);
    EXPECT_EQ(Take().back(), "Click");
}

TEST_F(ButtonKeys, ASecondKeyPressedDuringSpaceCancelsTheClickAndTheDownLookStays) {
    KeyDown(VK_SPACE);
    KeyDown('A');
    KeyUp(VK_SPACE);
    EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "look 2", "KeyPress 32", "KeyDown 65 0", "KeyPress 97", "KeyUp 32 0"}));
    EXPECT_EQ(button_->fields().LastState, button::kStateDown);
}

TEST_F(ButtonKeys, AKeyHandlerThatClearsTheKeyCodeSuppressesWhatTheSpaceWouldHaveDone) {
    for (bool inKeyDown : {true, false}) {
        auto& handler = inKeyDown ? button_->events.KeyDown : button_->events.KeyUp;
        auto record = handler;
        handler = [record](std::int16_t& key, std::int16_t& shift) {
            record(key, shift);
            key = 0;
        };
        KeyDown(VK_SPACE);
        KeyUp(VK_SPACE);
        handler = record;
        if (inKeyDown) {
            EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"}));
            EXPECT_EQ(button_->fields().LastState, button::kStateUp);
        } else {
            EXPECT_EQ(Take(), Lines({"KeyDown 32 0", "look 2", "KeyPress 32", "KeyUp 32 0"}));
            EXPECT_EQ(button_->fields().LastState, button::kStateDown);
        }
    }
}

TEST_F(ButtonKeys, FocusAndAmbientChangesRepaintTheLastPaintedStateForced) {
    KeyDown(VK_SPACE);
    Take();
    SetFocus(nullptr);
    EXPECT_FALSE(button_->fields().HasFocus);
    SetFocus(window_);
    EXPECT_TRUE(button_->fields().HasFocus);
    button_->OnAmbientChanged("DisplayAsDefault");
    EXPECT_EQ(Take(), Lines({"look 2 forced", "look 2 forced", "look 2 forced"}));
}

// A check button clicked by the mouse, by Space or by its access key.
class CheckButtonClick : public ButtonKeys, public ::testing::WithParamInterface<int> {};

TEST_P(CheckButtonClick, InvertsValueBeforeClickQuietly) {
    button_->SetCheckBoxBehaviour(true);
    std::vector<std::string> notices;
    button_->OnPropertyChanged = [&](std::string_view key) { notices.emplace_back(key); };
    std::vector<bool> valueSeenByClick;
    bool windowUpToDate = true;
    button_->events.Click = [&] {
        valueSeenByClick.push_back(button_->Value());
        windowUpToDate = windowUpToDate && !GetUpdateRect(window_, nullptr, FALSE);
    };
    for (int click = 0; click < 2; ++click) {
        if (GetParam() == 0) {
            Click();
        } else if (GetParam() == 1) {
            KeyDown(VK_SPACE);
            KeyUp(VK_SPACE);
        } else {
            PostMessageA(GetFocus(), WM_SYSCHAR, 'r', 0);
            Pump(app_);
        }
        EXPECT_EQ(SendMessageA(window_, BM_GETCHECK, 0, 0), click == 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    EXPECT_EQ(valueSeenByClick, std::vector<bool>({true, false}));
    EXPECT_TRUE(notices.empty()) << notices.front();
    EXPECT_TRUE(windowUpToDate) << "Click ran before the new look reached the screen";
}

INSTANTIATE_TEST_SUITE_P(MouseSpaceOrAccessKey, CheckButtonClick, ::testing::Values(0, 1, 2));

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
        if (message == WM_KEYDOWN)
            testing_support::PostKeyDown(GetFocus(), key);
        else
            PostMessageA(GetFocus(), message, key, 0);
        Pump(app_);
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
    EXPECT_EQ(visited, std::vector<HWND>({Window(1), Window(2), Window(0)}));
    BYTE keys[256], shifted[256];
    GetKeyboardState(keys);
    std::copy(std::begin(keys), std::end(keys), std::begin(shifted));
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    Press(WM_KEYDOWN, VK_TAB);
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), Window(2));
    EXPECT_TRUE(buttons_[2]->fields().HasFocus && !buttons_[0]->fields().HasFocus);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Count(i, "KeyDown 9 0"), 0) << "Tab is the page's key";
        EXPECT_GE(Count(i, "look 0 forced"), 2) << "focus came and went, each repainting";
    }
}

TEST_F(PageKeys, AnAccessKeyWithOrWithoutAltFocusesAndClicksItsButton) {
    const std::tuple<UINT, char, int> cases[] = {
        {WM_SYSCHAR, 'b', 1}, {WM_SYSCHAR, 'C', 2}, {WM_CHAR, 'c', 2}, {WM_CHAR, 'a', 0}};
    std::vector<int> clicks(3);
    for (auto [message, key, target] : cases) {
        Press(message, static_cast<WPARAM>(key));
        EXPECT_EQ(GetFocus(), Window(target)) << key;
        ++clicks[static_cast<std::size_t>(target)];
        for (int i = 0; i < 3; ++i) EXPECT_EQ(Count(i, "Click"), clicks[static_cast<std::size_t>(i)]) << key << i;
    }
}

TEST_F(PageKeys, EnterClicksTheDefaultAndEscTheCancelButtonWithoutMovingTheFocus) {
    Press(WM_KEYDOWN, VK_RETURN);
    Press(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(Count(1, "Click") * 10 + Count(2, "Click"), 11);
    EXPECT_EQ(GetFocus(), Window(0));
    EXPECT_EQ(Count(0, "Click"), 0);
    EXPECT_EQ(Count(0, "KeyDown 13 0") + Count(0, "KeyDown 27 0"), 0) << "Enter and Esc reach buttons as clicks";
    // The default button with the focus: one click, no key.
    SetFocus(Window(1));
    Press(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Count(1, "Click"), 2);
    EXPECT_EQ(Count(1, "KeyDown 13 0"), 0);
}

TEST_F(PageKeys, ADisabledButtonIgnoresItsAccessKeyAndEnter) {
    buttons_[1]->SetEnabled(false);
    static_cast<platform::Control*>(buttons_[1])->SetEnabled(false);
    recorders_[1].Take();
    Press(WM_SYSCHAR, 'b');
    Press(WM_KEYDOWN, VK_RETURN);
    buttons_[1]->OnAccessKey();  // as if the page still handed it the key
    EXPECT_EQ(recorders_[1].lines(), Lines{});
    EXPECT_EQ(GetFocus(), Window(0));
    EXPECT_EQ(Count(0, "KeyDown 13 0"), 1) << "with no usable default, Enter is the focused key";
}

}  // namespace
