// What a screen reader hears about a button, asked the way a reader asks: AccessibleObjectFromWindow.
#include <ole2.h>
#include <oleacc.h>

#include "input_fixture.h"

namespace {

struct Heard {
    std::wstring name;
    long role = 0;
    long state = 0;
};

Heard Ask(HWND window) {
    Heard heard;
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    if (!object) {
        ADD_FAILURE() << "no accessible object";
        return heard;
    }
    VARIANT self{}, value{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text) heard.name.assign(text, SysStringLen(text));
    SysFreeString(text);
    if (object->get_accRole(self, &value) == S_OK) heard.role = value.lVal;
    if (object->get_accState(self, &value) == S_OK) heard.state = value.lVal;
    object->Release();
    return heard;
}

TEST_F(ButtonInput, AScreenReaderHearsTheShownCaptionAndTheCheckedStateOfACheckButton) {
    Heard heard = Ask(window_);
    EXPECT_EQ(heard.name, L"Return");
    EXPECT_EQ(heard.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(heard.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED), STATE_SYSTEM_FOCUSED);
    button_->SetCheckBoxBehaviour(true);
    std::vector<long> states;
    for (int click = 0; click < 2; ++click) {
        Click();
        heard = Ask(window_);
        EXPECT_EQ(heard.role, ROLE_SYSTEM_CHECKBUTTON);
        states.push_back(heard.state & STATE_SYSTEM_CHECKED);
    }
    EXPECT_EQ(states, std::vector<long>({STATE_SYSTEM_CHECKED, 0}));
}

}  // namespace
