#include "platform/forms/accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <string>

#include "platform/forms/control.h"
#include "platform/layout/text_and_numbers.h"
#include "platform/win32/late_bound.h"

namespace platform {
namespace {

BSTR WideText(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result && length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

// A text answer: S_FALSE for an empty one, as readers expect.
HRESULT AnswerText(const std::string& text, BSTR* answer) {
    *answer = nullptr;
    if (text.empty()) return S_FALSE;
    *answer = WideText(text);
    return *answer ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerNumber(long number, VARIANT* answer) {
    answer->vt = VT_I4;
    answer->lVal = number;
    return S_OK;
}

// The standard object of the client area with the control's answers laid over it. A child number
// addresses a part of the control (1 to the part count) or, after the parts, one of the children the
// standard object knows (the child windows), numbered as it numbers them.
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(HWND window, IAccessible* client) : window_(window), client_(client) {}
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

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

    // IAccessible: the tree.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return client_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        Control* control = Alive();
        if (!control) return E_FAIL;
        HRESULT result = client_->get_accChildCount(count);
        if (FAILED(result)) *count = 0;
        *count += control->AccessiblePartCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kPart) return S_FALSE;  // a part is no object of its own
        if (target.kind == Target::kSelf) return E_INVALIDARG;
        return client_->get_accChild(target.forwarded, object);
    }

    // IAccessible: what the control says.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->get_accName(target.forwarded, name);
        std::string own = SpokenText(target.control->AccessibleName(target.part));
        if (own.empty() && target.kind == Target::kSelf) return client_->get_accName(target.forwarded, name);
        return AnswerText(own, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->get_accValue(target.forwarded, value);
        if (std::optional<std::string> own = target.control->AccessibleValue(target.part))
            return AnswerText(*own, value);
        return target.kind == Target::kSelf ? client_->get_accValue(target.forwarded, value) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->get_accRole(target.forwarded, role);
        if (long own = target.control->AccessibleRole(target.part)) return AnswerNumber(own, role);
        return target.kind == Target::kSelf ? client_->get_accRole(target.forwarded, role) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->get_accState(target.forwarded, state);
        long flags = target.control->AccessibleState(target.part);
        if (target.kind == Target::kSelf) {
            VARIANT windows;
            VariantInit(&windows);
            if (SUCCEEDED(client_->get_accState(target.forwarded, &windows)) && windows.vt == VT_I4)
                flags |= windows.lVal;
            // Hidden with its container too (a button on a tab that is not shown), which not every
            // standard object says.
            if (!IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
        }
        return AnswerNumber(flags, state);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded)
            return client_->get_accKeyboardShortcut(target.forwarded, shortcut);
        if (target.kind == Target::kPart) return S_FALSE;
        char key = target.control->AccessKey();
        if (key == 0) return S_FALSE;
        char upper[2] = {key, '\0'};
        CharUpperBuffA(upper, 1);
        return AnswerText(std::string("Alt+") + upper[0], shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->get_accDefaultAction(target.forwarded, action);
        std::string own = target.control->AccessibleDefaultAction(target.part);
        if (own.empty() && target.kind == Target::kSelf)
            return client_->get_accDefaultAction(target.forwarded, action);
        return AnswerText(own, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kForwarded) return client_->accDoDefaultAction(target.forwarded);
        if (target.control->AccessibleDefaultAction(target.part).empty()) {
            return target.kind == Target::kSelf ? client_->accDoDefaultAction(target.forwarded)
                                                : DISP_E_MEMBERNOTFOUND;
        }
        // Nothing happens on a page that a modal page has disabled, as for a click.
        if (!IsWindowEnabled(window_) || !IsWindowEnabled(GetAncestor(window_, GA_ROOT))) return E_FAIL;
        // The action runs from the message loop once this call has returned: a command may open a
        // modal page, and the reader waits for its answer.
        return PostMessageA(window_, kAccessibleActionMessage, static_cast<WPARAM>(target.part), 0) ? S_OK
                                                                                                    : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind != Target::kPart)
            return client_->accLocation(left, top, width, height, target.forwarded);
        RECT r = target.control->AccessiblePartRect(target.part);
        POINT corner{r.left, r.top};
        ClientToScreen(window_, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (!child) return E_POINTER;
        Control* control = Alive();
        if (!control) return E_FAIL;
        HRESULT result = client_->accHitTest(x, y, child);
        if (FAILED(result) || child->vt != VT_I4) return result;
        if (child->lVal != CHILDID_SELF) {
            child->lVal += control->AccessiblePartCount();
            return result;
        }
        POINT at{x, y};
        ScreenToClient(window_, &at);
        for (int part = 1; part <= control->AccessiblePartCount(); ++part) {
            RECT r = control->AccessiblePartRect(part);
            if (PtInRect(&r, at)) return AnswerNumber(part, child);
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) return E_POINTER;
        Control* control = Alive();
        if (!control) return E_FAIL;
        int part = control->AccessibleFocusedPart();
        if (part > 0 && GetFocus() == window_) {
            VariantInit(child);
            return AnswerNumber(part, child);
        }
        return client_->get_accFocus(child);
    }

    // IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return ForwardedOnly(child, text, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return ForwardedOnly(child, text, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return client_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return client_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return client_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return client_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return client_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return client_->put_accValue(child, value);
    }

private:
    ~ControlAccessible() { client_->Release(); }

    // What a child number addresses.
    struct Target {
        enum Kind { kGone, kSelf, kPart, kForwarded } kind = kGone;
        Control* control = nullptr;
        int part = 0;
        VARIANT forwarded{};  // the child number as the standard object knows it
    };

    Control* Alive() const {
        if (!IsWindow(window_)) return nullptr;
        return dynamic_cast<Control*>(Window::FromHandle(window_));
    }

    Target Resolve(const VARIANT& child) const {
        Target target;
        target.control = Alive();
        if (!target.control) return target;
        target.forwarded = child;
        if (child.vt != VT_I4) {
            target.kind = Target::kForwarded;
            return target;
        }
        int parts = target.control->AccessiblePartCount();
        if (child.lVal == CHILDID_SELF) {
            target.kind = Target::kSelf;
        } else if (child.lVal >= 1 && child.lVal <= parts) {
            target.kind = Target::kPart;
            target.part = static_cast<int>(child.lVal);
        } else {
            target.kind = Target::kForwarded;
            target.forwarded.lVal = child.lVal > parts ? child.lVal - parts : child.lVal;
        }
        return target;
    }

    HRESULT ForwardedOnly(const VARIANT& child, BSTR* text,
                          HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*)) {
        if (!text) return E_POINTER;
        *text = nullptr;
        Target target = Resolve(child);
        if (target.kind == Target::kGone) return E_FAIL;
        if (target.kind == Target::kPart) return S_FALSE;
        return (client_->*ask)(target.forwarded, text);
    }

    LONG references_ = 1;
    HWND window_;
    IAccessible* client_;
};

}  // namespace

LRESULT AnswerAccessibleObjectRequest(Control& control, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT) || !control.hwnd()) return 0;
    // Only a screen reader asks, so the accessibility library is loaded when one does.
    using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const auto createStandardObject =
        LateBoundFunction<CreateStdAccessibleObjectFunction>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto resultFromObject =
        LateBoundFunction<LresultFromObjectFunction>("oleacc.dll", "LresultFromObject");
    if (!createStandardObject || !resultFromObject) return 0;
    IAccessible* client = nullptr;
    if (FAILED(createStandardObject(control.hwnd(), OBJID_CLIENT, IID_IAccessible,
                                    reinterpret_cast<void**>(&client))) ||
        !client)
        return 0;
    auto* object = new ControlAccessible(control.hwnd(), client);
    LRESULT result = resultFromObject(IID_IAccessible, wParam, object);
    object->Release();
    return result;
}

}  // namespace platform
