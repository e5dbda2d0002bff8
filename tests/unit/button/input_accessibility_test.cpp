// What a screen reader hears about a button, asked the way a reader asks: AccessibleObjectFromWindow.
#include <ole2.h>
#include <oleacc.h>

#include "input_fixture.h"

namespace {

struct Heard {
    std::wstring name;
    long role = 0;
    long state = 0;
    std::wstring shortcut;
};

std::wstring FromBstr(BSTR text) {
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}

Heard Ask(HWND window) {
    Heard heard;
    IAccessible* object = nullptr;
    HRESULT result =
        AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    EXPECT_TRUE(SUCCEEDED(result) && object) << std::hex << result;
    if (!object) return heard;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK) heard.name = FromBstr(text);
    VARIANT value;
    VariantInit(&value);
    if (object->get_accRole(self, &value) == S_OK && value.vt == VT_I4) heard.role = value.lVal;
    VariantInit(&value);
    if (object->get_accState(self, &value) == S_OK && value.vt == VT_I4) heard.state = value.lVal;
    text = nullptr;
    if (object->get_accKeyboardShortcut(self, &text) == S_OK) heard.shortcut = FromBstr(text);
    object->Release();
    return heard;
}

TEST_F(ButtonInput, AScreenReaderHearsAPushButtonByItsShownCaptionWithItsShortcutAndFocus) {
    Heard heard = Ask(window_);
    EXPECT_EQ(heard.name, L"Return");
    EXPECT_EQ(heard.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(heard.shortcut, L"Alt+R");
    EXPECT_EQ(heard.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED), STATE_SYSTEM_FOCUSED);
    for (auto [caption, name] :
         {std::pair{"Home && Office", L"Home & Office"}, {"&Continue\r\n(Esc)", L"Continue\r\n(Esc)"}}) {
        button_->SetCaption(caption);
        EXPECT_EQ(Ask(window_).name, name) << caption;
    }
    static_cast<platform::Control*>(button_)->SetEnabled(false);
    EXPECT_TRUE(Ask(window_).state & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ButtonInput, AScreenReaderHearsTheStateOfACheckButtonChangeWithEachClick) {
    button_->SetCheckBoxBehaviour(true);
    std::vector<long> states;
    for (int click = 0; click < 2; ++click) {
        Click();
        Heard heard = Ask(window_);
        EXPECT_EQ(heard.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ(heard.name, L"Return");
        states.push_back(heard.state & STATE_SYSTEM_CHECKED);
    }
    EXPECT_EQ(states, std::vector<long>({STATE_SYSTEM_CHECKED, 0}));
}

}  // namespace
