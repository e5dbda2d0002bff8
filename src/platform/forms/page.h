// A page: a top-level window built from a layout resource, with the events of a form (load, activate,
// close request, unload), modeless and modal showing, a persistent background image that pictures are
// painted onto, and the keyboard handling of a dialog (Tab order, access keys, default and cancel
// controls).
//
// A page converts its twips with the resolution of the display it is on (Dpi) and gives it to its
// controls. Moved to a display of another scale (WM_DPICHANGED), it takes the rectangle Windows
// suggests, lays its controls out again from their twips with fonts made anew, raises Form_DpiChanged
// (where it paints its pictures again), tells its controls ("Dpi") and repaints. A modal page takes its
// opener's scale. Under high contrast it shows the window colour instead of its background image, and
// it repaints, telling its controls ("HighContrast"), when the setting or the system colours change.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/control_host.h"
#include "platform/forms/mouse_pointer.h"
#include "platform/layout/layout.h"
#include "platform/win32/gdi.h"
#include "platform/win32/picture.h"
#include "platform/win32/units.h"
#include "platform/win32/window.h"

namespace platform {

class Application;

// Why a page is being closed, as the close-request event reports it.
enum UnloadMode : std::int16_t {
    kFormControlMenu = 0,  // the close box, the system menu, Alt+F4
    kFormCode = 1,         // an unload requested by the program
    kAppWindows = 2,       // the user logs off or Windows shuts down
    kAppTaskManager = 3,   // another program asked the page to close
};

// The layout of a page given as text rather than as the name of a program resource (tests).
struct LayoutText {
    std::string text;
};

// Pages are always owned by std::shared_ptr (make them with std::make_shared): a page keeps itself
// alive while its modal loop runs, and the application keeps an unloaded page until none of its
// handlers can still be running.
class Page : public Window, public ControlHost, public std::enable_shared_from_this<Page> {
public:
    Page(Application& app, std::string layoutResource);
    Page(Application& app, LayoutText layout);
    ~Page() override;

    Application& app() const { return app_; }
    const std::string& Name() const override { return name_; }

    // Creates the window and its controls from the layout and raises the load event; nothing when
    // already loaded. Problems in the layout are shown once in a message box and the page still loads.
    void Load();
    bool IsLoaded() const { return loaded_; }
    // Shows the page without waiting (loading it first if needed).
    void Show();
    // Shows the page modally: the other pages are disabled until it unloads; returns after the
    // unload, with the opener active again.
    void ShowModal();
    // Raises the close request; unless it is refused, raises the unload event, destroys the windows and
    // removes the page from the loaded pages. Returns false when the close was refused. A page that is
    // already unloading is not asked again.
    bool Unload(UnloadMode mode = kFormCode);
    // Unloads without raising the close request (end of the run in tests).
    void UnloadWithoutAsking();
    // Heard once the page has unloaded, whichever way it went: its return command, the close box,
    // Alt+F4, the system menu, the end of the session, or its window destroyed with its owner. The
    // opener lets go of the page here, so that its next use starts from a freshly made page.
    std::function<void()> onUnloaded;

    // Window properties. A size is the outer size in twips.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetSize(int widthTwips, int heightTwips);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    int MousePointer() const override { return mousePointer_; }
    void SetMousePointer(int pointer);
    COLORREF BackColor() const { return backColor_; }
    const FontValue& AmbientFont() const override { return font_; }
    HWND HostWindow() const override { return hwnd(); }
    // The resolution of the display the page is on, in pixels per inch (96 at normal size).
    int Dpi() const override { return dpi_; }
    // Takes a new resolution: `suggested` is where the window goes (Windows' suggestion), or null to
    // keep its top-left corner and scale its size.
    void ApplyDpi(int dpi, const RECT* suggested);

    // Draws a picture at its own size onto the page's background image, at (x, y) in twips or in pixels.
    void PaintPicture(const Picture& picture, int xTwips, int yTwips);
    void PaintPicturePixels(const Picture& picture, int x, int y);
    // The outer size in pixels.
    int WidthPixels() const;
    int HeightPixels() const;

    // Controls, by name and index.
    Control* FindControl(std::string_view name, std::optional<int> index = std::nullopt) const;
    template <class T>
    T& Get(std::string_view name, std::optional<int> index = std::nullopt) const {
        Control* control = FindControl(name, index);
        T* typed = dynamic_cast<T*>(control);
        if (!typed) ThrowMissingControl(name, index);
        return *typed;
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const override { return controls_; }

    PictureLibrary& Pictures() override { return pictures_; }
    void DoEvents() override;
    // Problems found while loading the layout (shown to the user once).
    const std::vector<LayoutDiagnostic>& Diagnostics() const { return diagnostics_; }

    // Keyboard handling of the page, called by the event loop before a message is dispatched.
    bool PreTranslateMessage(MSG& message);
    // Focus to the next (or previous) control in tab order; wraps around.
    void MoveFocus(bool forward);
    // The control of this page whose window that is, or null.
    Control* ControlOfWindow(HWND window) const;
    // The control that holds the keyboard focus, if it is one of this page's.
    Control* FocusedControl() const;
    // The default control shows itself as default unless another button has the focus.
    bool DisplaysAsDefault(const Control& control) const override;
    // Tells every control that may have appeared or disappeared (after showing, tab switches...).
    void UpdateShownControls() override;
    // Focus moved from one control to another: the default control's look may change.
    void OnControlFocusChanged() override;
    // Raises the activate event from the message loop (after an activation held back by DoEvents).
    void PostActivate();

protected:
    // The form's events.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(std::int16_t& /*Cancel*/, std::int16_t /*UnloadMode*/) {}
    virtual void Form_Unload(std::int16_t& /*Cancel*/) {}
    // The page is at a new scale and its controls in their new places: pictures painted onto it (its
    // background image is empty again) are painted here once more.
    virtual void Form_DpiChanged() {}

    // Makes the control of a layout block (see controls/standard_controls.h for the toolkit's own
    // classes). Returns null for an unknown class, which the page reports; the base knows none.
    virtual std::unique_ptr<Control> CreateControl(const LayoutNode& node);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowDestroyed() override;

private:
    static constexpr UINT kActivateMessage = WM_APP + 1;

    // Message handlers.
    void OnPaint();
    void OnActivate(WORD state, bool minimized);
    void OnActivateEvent();  // the posted activate event
    bool OnSetCursor();      // true when the page set the pointer itself
    HBRUSH OnControlColour(HDC dc, HWND controlWindow);

    void BuildControls(HWND parent, std::vector<LayoutNode>& nodes);
    void ApplyPageSettings(LayoutNode& root);
    void ShowLoadProblems();
    void DestroyPage();
    void FinishUnload();
    void EnsureBackground();
    void PaintBackground(HDC dc);
    void OnAppearanceChanged(bool coloursChanged);
    void RestoreFocus();
    std::vector<Control*> TabOrder() const;
    [[noreturn]] void ThrowMissingControl(std::string_view name, std::optional<int> index) const;
    bool IsUsable(const Control& control) const;
    // A key pressed on the page (Tab, Ctrl+Tab, Enter, Esc), and an access key: true when the page
    // handled it (page_keyboard.cpp).
    bool OnPageKeyDown(WPARAM key);
    bool ActivateByAccessKey(char key);

    Application& app_;
    bool paintedOnce_ = false;
    std::string layoutResource_;
    std::string layoutText_;
    std::string name_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool modal_ = false;
    bool shownOnce_ = false;
    std::vector<HWND> disabledByModal_;

    int mousePointer_ = kPointerDefault;
    int dpi_ = kNormalDpi;
    bool highContrast_ = false;
    COLORREF backColor_ = RGB(192, 192, 192);
    FontValue font_;
    Font screenFont_;
    MemorySurface background_;  // what PaintPicture drew; WM_PAINT shows it
    std::string borderStyle_ = "Sizable";
    bool minButton_ = true;
    bool maxButton_ = false;
    std::int32_t startUpPosition_ = 2;  // centre of the screen

    PictureLibrary pictures_;
    std::vector<LayoutDiagnostic> diagnostics_;
    std::vector<std::unique_ptr<Control>> controls_;
    HWND lastFocus_ = nullptr;
};

}  // namespace platform
