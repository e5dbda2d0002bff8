// What a screen reader hears about a button, asked the way a reader asks: AccessibleObjectFromWindow.
#include <oleacc.h>

#include "input_fixture.h"
#include "support/screen_reader.h"

namespace {

// The state-change and focus events raised in this process, as "event child" lines.
std::vector<std::string>* g_events = nullptr;
void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (g_events && object == OBJID_CLIENT)
        g_events->push_back((event == EVENT_OBJECT_FOCUS ? "focus " : "state ") + std::to_string(child));
}

TEST_F(ButtonInput, AScreenReaderHearsTheShownCaptionItsKeyAndActionAndTheCheckedStateOfACheckButton) {
    testing_support::Heard heard = testing_support::Hear(window_);
    EXPECT_EQ(heard.name, "Return");
    EXPECT_EQ(heard.role, "push button");
    EXPECT_EQ(heard.shortcut, "Alt+R");
    EXPECT_EQ(heard.action, "Press");
    EXPECT_EQ(heard.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED), STATE_SYSTEM_FOCUSED);

    std::vector<std::string> events;
    g_events = &events;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, Heard,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    button_->SetCheckBoxBehaviour(true);
    std::vector<std::string> looks;
    for (int click = 0; click < 2; ++click) {
        if (click == 0) {
            Click();
        } else {  // with Space
            testing_support::PostKeyDown(window_, VK_SPACE, false), testing_support::Pump(app_);
            testing_support::PostKeyUp(window_, VK_SPACE), testing_support::Pump(app_);
        }
        heard = testing_support::Hear(window_);
        looks.push_back(heard.role + " " + std::to_string(heard.state & STATE_SYSTEM_CHECKED) + " " +
                        heard.action);
    }
    EXPECT_EQ(looks, Lines({"check button 16 Uncheck", "check button 0 Check"}));
    // A reader's Press toggles it as a click does, once its request has been served.
    EXPECT_EQ(testing_support::DoDefaultAction(window_), S_OK);
    EXPECT_FALSE(button_->Value());
    testing_support::Pump(app_);
    EXPECT_TRUE(button_->Value());
    EXPECT_EQ(recorder_->Count("Click (Value on)") * 10 + recorder_->Count("Click (Value off)"), 21);
    testing_support::Pump(app_);
    UnhookWinEvent(hook);
    g_events = nullptr;
    // Each change of kind or state was announced: check button, checked, unchecked, checked.
    EXPECT_EQ(events, Lines({"state 0", "state 0", "state 0", "state 0"}));
}

}  // namespace
