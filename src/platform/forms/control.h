// Controls of a page: the window-backed pieces a page layout places (labels, text boxes, picture
// boxes, image holders, the tab strip, hosted controls). Every control has a name (and an index in a
// control group), a place and size in twips inside its container, a tab index, and may be the page's
// default or cancel control.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control_host.h"
#include "platform/layout/layout.h"
#include "platform/layout/property_bag.h"
#include "platform/win32/window.h"

namespace platform {

// Keys every control block may carry that belong to the page's handling of the control (place, size,
// tab order, visibility, default and cancel roles, tooltip) rather than to the control itself.
bool IsExtenderKey(std::string_view key);

class Control : public Window {
public:
    Control(ControlHost& host, const LayoutNode& node);
    ~Control() override;

    const std::string& Name() const { return name_; }
    std::optional<int> Index() const { return index_; }
    std::string DisplayName() const;
    const std::string& ClassName() const { return className_; }
    ControlHost& host() const { return host_; }

    // Builds the control from its layout block inside `parent`: extender values, window, own settings.
    // Problems are reported through `bag`; the control is made whatever they are.
    void Build(HWND parent, PropertyBag& bag);

    // The resolution the control's page converts its twips with.
    int Dpi() const;

    // Geometry in twips, relative to the container's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top, int width, int height);
    void SetHeight(int height) { Move(left_, top_, width_, height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    int TabIndex() const { return tabIndex_; }
    bool IsDefault() const { return default_; }
    bool IsCancel() const { return cancel_; }
    const std::string& ToolTipText() const { return toolTip_; }

    // Keyboard: whether the Tab key stops here, the access key (lower case, 0 for none), and what the
    // access key (or Enter/Esc for a default/cancel control) does.
    virtual bool CanTakeFocus() const { return false; }
    virtual char AccessKey() const { return 0; }
    virtual void OnAccessKey() {}
    // A character key arriving while this control has the focus: may the page treat it as an access key?
    virtual bool LetsLettersActivateAccessKeys() const { return false; }
    // A command button: while one has the focus, the page's default button does not show as default.
    virtual bool ActsAsButton() const { return false; }
    // Ctrl+Tab (Ctrl+Shift+Tab backwards) on the page: a control with tabs of its own selects the next
    // one and says so.
    virtual bool SelectNextTab(bool /*forward*/) { return false; }
    // The page asks a control that paints through its parent (an edit control) for its colours: sets
    // them on the DC and returns the background brush, or null to leave the system's colours.
    virtual HBRUSH ColourDC(HDC /*dc*/) { return nullptr; }

    // Called by the page when the control may have become visible or hidden on the screen.
    virtual void UpdateShown() {}
    // Called by the page when its ambient values changed (e.g. which control displays as default).
    virtual void OnAmbientChanged(const std::string& /*name*/) {}
    // Called by the page once the controls inside this one have been built.
    virtual void OnChildrenBuilt() {}
    // Called by the page before it destroys its windows at unload.
    virtual void Terminate() {}
    // Called by the page when it moved to a display of another scale: the control makes again what
    // depends on the scale (fonts) and takes its place from its twips. The default does the latter.
    virtual void OnDpiChanged();
    // Writes the control back to a layout block (place, size and its own settings).
    LayoutNode SaveToLayout();

    // ---- What a screen reader learns of the control (forms/accessible.h) ----
    // Parts are pieces of a control that a reader visits one by one (the tabs of a tab strip),
    // numbered from 1; number 0 is the control itself. Roles and states are MSAA's numbers (ROLE_SYSTEM_*,
    // STATE_SYSTEM_*). For the control itself, an empty name and a role of 0 leave what Windows says of
    // its window, and the states are added to Windows' own (focus, visibility, availability).
    virtual int AccessiblePartCount() const { return 0; }
    // The name given with SetAccessibleName, for the control itself.
    virtual std::string AccessibleName(int part) const;
    virtual long AccessibleRole(int /*part*/) const { return 0; }
    virtual long AccessibleState(int /*part*/) const { return 0; }
    virtual std::optional<std::string> AccessibleValue(int /*part*/) const { return std::nullopt; }
    // The default action's name ("Press"), empty when there is none; RunAccessibleDefaultAction carries
    // it out. A reader's request is posted and runs from the message loop, after the reader's call has
    // returned: the action may open a modal page.
    virtual std::string AccessibleDefaultAction(int /*part*/) const { return {}; }
    virtual void RunAccessibleDefaultAction(int /*part*/) {}
    // Where a part lies, in the control's client pixels; and which part has the keyboard focus (0: none
    // or the control itself).
    virtual RECT AccessiblePartRect(int /*part*/) const { return RECT{}; }
    virtual int AccessibleFocusedPart() const { return 0; }
    void SetAccessibleName(std::string name);

protected:
    // Creates the window at the given pixel rectangle; the control's own settings follow in ReadSettings.
    virtual bool CreateControlWindow(HWND parent, int x, int y, int width, int height) = 0;
    // Reads the control's own keys; each key it reads is marked as known.
    virtual void ReadSettings(PropertyBag& /*bag*/) {}
    virtual void WriteSettings(PropertyBag& /*bag*/) {}
    // Runs after the window has its final size (first creation and every Move).
    virtual void OnResized() {}
    // The keys this control knows besides the extender keys.
    virtual bool KnowsKey(std::string_view /*key*/) const { return false; }
    // Answers what every control's window answers alike (a screen reader's request for the control's
    // accessible object, a posted default action); everything else goes to the window's default.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void ApplyPlacement();

private:
    ControlHost& host_;
    std::string className_;
    std::string name_;
    std::optional<int> index_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int tabIndex_ = 0;
    bool visible_ = true;
    bool default_ = false;
    bool cancel_ = false;
    std::string toolTip_;
    std::string accessibleName_;
};

}  // namespace platform
