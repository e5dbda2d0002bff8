// A tab strip: a row of tabs over a framed body. Each tab shows its own container (the tab strip's
// n-th child control belongs to tab n) and hides the others. Tabs are chosen with the mouse, with the
// arrow keys while the strip has the focus, and with Ctrl+Tab anywhere on the page. A screen reader
// finds a list of page tabs, each a part of the strip named by its caption, and each container named
// by its tab. Under high contrast the strip takes the system's button colours.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/win32/colour.h"
#include "platform/win32/gdi.h"

namespace platform {

class TabStrip : public Control {
public:
    TabStrip(ControlHost& host, const LayoutNode& node);
    ~TabStrip() override;

    int TabCount() const { return static_cast<int>(captions_.size()); }
    const std::string& TabCaption(int tab) const { return captions_.at(static_cast<std::size_t>(tab)); }
    // The current tab, 0 for the leftmost.
    int Tab() const { return current_; }
    void SetTab(int tab);
    void SelectNext(bool forward);
    bool SelectNextTab(bool forward) override;
    // The container shown by a tab (null when the layout gave it none).
    Control* TabContainer(int tab) const;
    // The rectangle of a tab's header, in the strip's client pixels.
    RECT TabRect(int tab) const;

    bool CanTakeFocus() const override { return true; }
    void OnDpiChanged() override;

    // Part n is tab n - 1.
    int AccessiblePartCount() const override { return TabCount(); }
    std::string AccessibleName(int part) const override;
    long AccessibleRole(int part) const override;
    long AccessibleState(int part) const override;
    std::string AccessibleDefaultAction(int part) const override;
    void RunAccessibleDefaultAction(int part) override;
    RECT AccessiblePartRect(int part) const override { return TabRect(part - 1); }
    int AccessibleFocusedPart() const override { return hasFocus_ ? current_ + 1 : 0; }

    std::function<void(int previousTab)> Click;

protected:
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChildrenBuilt() override;

private:
    void Paint(HDC dc);
    void ShowCurrentContainer();
    int TabAt(POINT point) const;

    std::vector<std::string> captions_;
    int current_ = 0;
    int tabHeight_ = 375;  // twips
    std::uint32_t backColor_ = kSystemButtonFace;
    FontValue fontValue_;
    Font font_;
    bool hasFocus_ = false;
};

}  // namespace platform
