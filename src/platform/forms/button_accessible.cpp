#include "platform/forms/button_accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "platform/forms/control.h"
#include "platform/win32/late_bound.h"

namespace platform {
namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

BSTR WideText(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result && length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

// The client area's standard object, with the name, role, state and shortcut of a button. The window is
// asked at every call, so the answers follow the control for as long as a reader holds the object.
class ButtonAccessible final : public IAccessible {
public:
    ButtonAccessible(HWND window, IAccessible* client) : window_(window), client_(client) {}
    ButtonAccessible(const ButtonAccessible&) = delete;
    ButtonAccessible& operator=(const ButtonAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers call the methods directly; answering by name through the standard object
    // would bypass the answers below.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: the button's own answers.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return client_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!IsWindow(window_)) return E_FAIL;
        // The window text already is the name: no access-key marker to strip, "&" is a real ampersand.
        int length = GetWindowTextLengthA(window_);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(window_, text.data(), length + 1)));
        if (text.empty()) return S_FALSE;
        *name = WideText(text);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return client_->get_accRole(child, role);
        if (!role) return E_POINTER;
        VariantInit(role);
        if (!IsWindow(window_)) return E_FAIL;
        role->vt = VT_I4;
        role->lVal = IsCheckButton() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child)) return client_->get_accState(child, state);
        if (!state) return E_POINTER;
        VariantInit(state);
        if (!IsWindow(window_)) return E_FAIL;
        long flags = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(window_)) flags |= STATE_SYSTEM_UNAVAILABLE;
        if (IsCheckButton() && SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED)
            flags |= STATE_SYSTEM_CHECKED;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!IsSelf(child)) return client_->get_accKeyboardShortcut(child, shortcut);
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        auto* control = dynamic_cast<Control*>(Window::FromHandle(window_));
        char key = control ? control->AccessKey() : 0;
        if (key == 0) return S_FALSE;
        if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
        *shortcut = WideText(std::string("Alt+") + key);
        return *shortcut ? S_OK : E_OUTOFMEMORY;
    }

    // IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return client_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return client_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return client_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return client_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return client_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return client_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return client_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return client_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return client_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return client_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return client_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return client_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return client_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return client_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return client_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return client_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return client_->put_accValue(child, value);
    }

private:
    ~ButtonAccessible() { client_->Release(); }

    bool IsCheckButton() const {
        return (GetWindowLongPtrA(window_, GWL_STYLE) & static_cast<LONG_PTR>(BS_TYPEMASK)) == BS_CHECKBOX;
    }

    LONG references_ = 1;
    HWND window_;
    IAccessible* client_;
};

}  // namespace

LRESULT AnswerButtonObjectRequest(HWND window, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    // Only a screen reader asks, so the accessibility library is loaded when one does.
    using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const auto createStandardObject =
        LateBoundFunction<CreateStdAccessibleObjectFunction>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto resultFromObject =
        LateBoundFunction<LresultFromObjectFunction>("oleacc.dll", "LresultFromObject");
    if (!createStandardObject || !resultFromObject) return 0;
    IAccessible* client = nullptr;
    if (FAILED(
            createStandardObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&client))) ||
        !client)
        return 0;
    auto* button = new ButtonAccessible(window, client);
    LRESULT result = resultFromObject(IID_IAccessible, wParam, button);
    button->Release();
    return result;
}

}  // namespace platform
