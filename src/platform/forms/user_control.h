// The hosting of a control that draws itself and defines its own behaviour (a user control).
//
// The host gives the control a persistent drawing surface, its font, mouse pointer and enabled state,
// ambient values of its page, a property-changed notice, one timer, access keys, and a place in the
// page's tab order. It turns window messages into the control's handlers:
//
//   creation      Initialize, then InitProperties (a block without settings) or ReadProperties,
//                 then Resize; Show and Hide whenever the control appears on or leaves the screen;
//                 Terminate when the page unloads.
//   mouse         MouseDown, MouseUp, then Click for a left press released over the control's window;
//                 the second press of a double click gives DblClick (no Click), then MouseUp. A right
//                 or middle release never clicks. Moves are reported with the sum of the buttons held;
//                 from a press until every button is up the control keeps the mouse.
//   keyboard      KeyDown (also with Alt), KeyPress, KeyUp while it has the focus; AccessKeyPress for
//                 its access key, and for Enter or Esc when it is the page's default or cancel control.
//   screen reader the control is a push button (or, after SetAccessibleCheckState, a check button
//                 with its checked state) named by SetAccessibleName, with its access key as
//                 keyboard shortcut; its default action ("Press") is its access key's.
//   focus         GotFocus, LostFocus; AmbientChanged when an ambient value changes: "DisplayAsDefault",
//                 "Dpi" (the page moved to a display of another scale; the host font is made anew at
//                 it before the control is moved, which then resizes), "HighContrast" (the setting or
//                 the system colours changed).
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/forms/control.h"
#include "platform/forms/control_font.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"

namespace platform {

// A host property refused a value (a picture that cannot be a mouse pointer...).
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UserControl : public Control {
public:
    UserControl(ControlHost& host, const LayoutNode& node);
    ~UserControl() override;

    // Mouse buttons as the mouse events number them (their sum while several are held).
    static constexpr std::int16_t kLeftButton = 1;
    static constexpr std::int16_t kRightButton = 2;
    static constexpr std::int16_t kMiddleButton = 4;

    // ---- What the host offers the control ----

    // The persistent drawing surface (a 32-bit DIB section); what is drawn stays until drawn over.
    HDC hDC() const { return surface_.dc(); }
    const MemorySurface& Surface() const { return surface_; }
    // Starts a new image: fills the surface with the control's background colour.
    void Cls();
    // The surface's image reaches the screen at the next paint (nothing intermediate is ever shown).
    void Present();
    // Puts the surface's image on the screen at once.
    void RefreshWindow();

    // Size of the client area in pixels.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Unit conversions of the toolkit, at the scale of the control's page.
    double HimetricToPixelsX(double himetric) const;
    double HimetricToPixelsY(double himetric) const;
    int PixelsToTwipsY(int pixels) const;
    // Sets the control's height in twips (its place and width stay).
    void SetExtentHeight(int twips);

    // Ambient values of the page.
    bool AmbientUserMode() const { return userMode_; }
    std::string AmbientDisplayName() const { return DisplayName(); }
    FontValue AmbientFont() const;
    bool AmbientDisplayAsDefault() const;
    // Whether the user has turned high contrast on (the system services' answer, at each call).
    bool AmbientHighContrast() const;

    // Host properties of the control's window. The font is an object: a change made through it is the
    // control's font from the next drawing on.
    ControlFont& HostFont() { return font_; }
    const ControlFont& HostFont() const { return font_; }
    int HostMousePointer() const { return mousePointer_; }
    void SetHostMousePointer(int pointer);
    const Picture& HostMouseIcon() const { return mouseIcon_; }
    // Throws HostError for a picture that cannot serve as a pointer (anything but an icon or cursor).
    void SetHostMouseIcon(const Picture& picture);
    void SetWindowEnabled(bool enabled);
    const std::string& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(std::string keys);

    // The property-changed notice: the page's stored settings of this control are out of date.
    void PropertyChanged(std::string_view key);
    // Who hears the notice (the page's layout keeper, or a test).
    std::function<void(std::string_view key)> OnPropertyChanged;

    // The control's timer; its ticks arrive as WM_TIMER with this id.
    static constexpr UINT_PTR kTimerId = 1;
    void SetTimerInterval(unsigned milliseconds) { timerInterval_ = milliseconds; }
    bool TimerEnabled() const { return timerEnabled_; }
    // Starts or stops the timer; false when Windows would not start it (it then stays stopped).
    bool SetTimerEnabled(bool enabled);

    // Lets pending messages run (Application::DoEvents).
    void DoEvents();

    // Pictures in the stored settings, by resource name.
    Picture ReadPicture(PropertyBag& bag, std::string_view key);
    static void WritePicture(PropertyBag& bag, std::string_view key, const Picture& picture);

    // The caption as shown: the window's text (what tools that list windows read) and the name a screen
    // reader hears.
    void SetShownCaption(const std::string& caption);

    // What a screen reader hears of a two-state button: its kind and state (the name is set with
    // SetAccessibleName).
    void SetAccessibleCheckState(bool isCheckBox, bool checked);

    // Design mode, for the page editor and tests (the program always runs in user mode).
    void SetUserMode(bool userMode) { userMode_ = userMode; }

    // ---- Control ----
    bool CanTakeFocus() const override { return true; }
    char AccessKey() const override;
    void OnAccessKey() override;
    bool LetsLettersActivateAccessKeys() const override { return true; }
    bool ActsAsButton() const override { return true; }
    void UpdateShown() override;
    void OnDpiChanged() override;
    void OnAmbientChanged(const std::string& name) override;
    void Terminate() override;
    long AccessibleRole(int part) const override;
    long AccessibleState(int part) const override;
    std::string AccessibleDefaultAction(int part) const override;
    void RunAccessibleDefaultAction(int part) override;

protected:
    // ---- Handlers the host calls ----
    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& /*PropBag*/) {}
    virtual void UserControl_WriteProperties(PropertyBag& /*PropBag*/) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                       float /*Y*/) {}
    virtual void UserControl_MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                       float /*Y*/) {}
    virtual void UserControl_MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                                     float /*Y*/) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    virtual void UserControl_KeyPress(std::int16_t /*KeyAscii*/) {}
    virtual void UserControl_KeyUp(std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    virtual void UserControl_AccessKeyPress(std::int16_t /*KeyAscii*/) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_AmbientChanged(const std::string& /*PropertyName*/) {}
    virtual void Timer_Tick() {}

    // The keys of the control's stored settings (unknown keys are reported).
    virtual bool KnowsSettingsKey(std::string_view /*key*/) const { return false; }

    // ---- Control ----
    bool CreateControlWindow(HWND parent, int x, int y, int width, int height) override;
    void ReadSettings(PropertyBag& bag) override;
    void WriteSettings(PropertyBag& bag) override;
    bool KnowsKey(std::string_view key) const override { return KnowsSettingsKey(key); }
    void OnResized() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnsureSurface();
    void ApplyFontToSurface();
    static std::int16_t ShiftState();
    static std::int16_t ButtonsHeld(WPARAM wParam);
    bool PointInside(int x, int y) const;

    // Message handlers.
    void OnPaint();
    void OnPrintClient(HDC dc);
    void OnSetCursor();
    void OnButtonDown(std::int16_t button, int x, int y);
    void OnLeftDoubleClick();
    void OnButtonUp(std::int16_t button, WPARAM held, int x, int y);
    void OnCaptureChanged(HWND newCapture);
    void OnFocusChanged(bool gained);
    void OnTimer(UINT_PTR id);

    MemorySurface surface_;
    ControlFont font_;  // selected into surface_ (declared after it: taken out before the surface goes)
    int mousePointer_ = 0;
    Picture mouseIcon_;
    std::string accessKeys_;
    bool userMode_ = true;
    bool built_ = false;
    bool shown_ = false;
    bool terminated_ = false;
    int lastWidth_ = -1;
    int lastHeight_ = -1;
    unsigned timerInterval_ = 3;
    bool timerEnabled_ = false;
    bool leftPressed_ = false;
    bool checkBoxRole_ = false;
    bool checked_ = false;
};

}  // namespace platform
