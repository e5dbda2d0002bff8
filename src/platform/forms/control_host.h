// What a control may ask of the page that holds it. The page is the only host; controls know it
// through this interface alone, so that a control does not depend on the whole page (nor the page's
// header on the controls').
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/mouse_pointer.h"
#include "platform/layout/layout.h"
#include "platform/win32/picture.h"
#include "platform/win32/win.h"

namespace platform {

class Control;

class ControlHost {
public:
    // The page's name, which its layout reports use, and its window.
    virtual const std::string& Name() const = 0;
    virtual HWND HostWindow() const = 0;

    // Ambient values: the page's font, its pointer shape (the hourglass while it is busy), and whether
    // it shows this control as its default button now.
    virtual const FontValue& AmbientFont() const = 0;
    virtual int MousePointer() const = 0;
    virtual bool DisplaysAsDefault(const Control& control) const = 0;
    // The resolution of the display the page is on, in pixels per inch (96 at normal size).
    virtual int Dpi() const = 0;

    // Notices from the controls: the focus moved from one control to another (the default button's
    // look may change), and controls may have appeared or disappeared (a tab was switched).
    virtual void OnControlFocusChanged() = 0;
    virtual void UpdateShownControls() = 0;

    // The page's controls, in layout order, and the pictures its layout names.
    virtual const std::vector<std::unique_ptr<Control>>& Controls() const = 0;
    virtual PictureLibrary& Pictures() = 0;

    // Lets pending messages run, then returns (the application's DoEvents).
    virtual void DoEvents() = 0;

protected:
    ~ControlHost() = default;
};

}  // namespace platform
