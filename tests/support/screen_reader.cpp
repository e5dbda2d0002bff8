#include "support/screen_reader.h"

#include <ole2.h>
#include <oleacc.h>

namespace testing_support {
namespace {

std::string Narrow(BSTR text) {
    if (!text) return {};
    int length = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), nullptr, 0,
                                     nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), narrow.data(), length, nullptr,
                        nullptr);
    SysFreeString(text);
    return narrow;
}

std::string RoleWords(long role) {
    switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON: return "push button";
    case ROLE_SYSTEM_CHECKBUTTON: return "check button";
    case ROLE_SYSTEM_LINK: return "link";
    case ROLE_SYSTEM_STATICTEXT: return "static text";
    case ROLE_SYSTEM_TEXT: return "text";
    case ROLE_SYSTEM_PAGETABLIST: return "page tab list";
    case ROLE_SYSTEM_PAGETAB: return "page tab";
    case ROLE_SYSTEM_PANE: return "pane";
    case ROLE_SYSTEM_CLIENT: return "client";
    default: return "role " + std::to_string(role);
    }
}

IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Child(long child) {
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    return which;
}

}  // namespace

Heard Hear(HWND window, long child) {
    Heard heard;
    IAccessible* object = ObjectOf(window);
    if (!object) return heard;
    heard.found = true;
    const VARIANT which = Child(child);
    auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR value = nullptr;
        return (object->*get)(which, &value) == S_OK ? Narrow(value) : std::string();
    };
    heard.name = text(&IAccessible::get_accName);
    heard.shortcut = text(&IAccessible::get_accKeyboardShortcut);
    heard.action = text(&IAccessible::get_accDefaultAction);
    heard.value = text(&IAccessible::get_accValue);
    VARIANT role{}, state{};
    if (object->get_accRole(which, &role) == S_OK && role.vt == VT_I4) heard.role = RoleWords(role.lVal);
    if (object->get_accState(which, &state) == S_OK && state.vt == VT_I4) heard.state = state.lVal;
    object->Release();
    return heard;
}

long DoDefaultAction(HWND window, long child) {
    IAccessible* object = ObjectOf(window);
    if (!object) return E_FAIL;
    HRESULT result = object->accDoDefaultAction(Child(child));
    object->Release();
    return result;
}

}  // namespace testing_support
