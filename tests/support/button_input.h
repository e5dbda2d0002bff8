// Driving a button as the user would and writing down what it does.
//
// ButtonRecorder keeps the ten events as lines of text in order ("MouseDown 1 0 10 5", "Click"; for a
// check button "Click, Value on"), and, when asked to watch the surface, the looks the button painted
// between them, by name ("down", "hover": see SurfaceWatch); paintings with nothing raised between them
// give one line, the last image. Mouse messages go straight to the button's window in client pixels;
// where the button asks Windows about the real pointer, the test first puts it in place (Wine moves the
// pointer without a mouse message, so the test sends the move it stands for).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "button/tamrix_button.h"
#include "platform/forms/application.h"
#include "support/button_surface.h"

namespace testing_support {

class ButtonRecorder {
public:
    explicit ButtonRecorder(button::TamrixButton& button, bool watchSurface = false);
    ButtonRecorder(const ButtonRecorder&) = delete;  // the button's handlers point at this one
    ButtonRecorder& operator=(const ButtonRecorder&) = delete;

    // The lines so far, which are then forgotten.
    std::vector<std::string> Take();
    int Count(const std::string& line) const;
    // Writes down the look painted since the last line, if any.
    void NoteLook();
    // Gives the image on the button's surface a name.
    void NameLook(const std::string& name) { surface_->Name(name); }

private:
    void Add(const std::string& line);

    std::vector<std::string> lines_;
    std::optional<SurfaceWatch> surface_;
};

// The screen point of a client pixel of `window`.
POINT ScreenPoint(HWND window, int x, int y);
// Puts the real pointer at a screen point, without the mouse messages Wine may make of the jump.
void PlacePointer(POINT screen);
// The same, then lets waiting messages run.
void PointerTo(platform::Application& app, POINT screen);
// Puts the real pointer in a corner of the screen, away from every page.
void PointerAway(platform::Application& app);

// Mouse messages to a window at client (x, y); `held` is the MK_ mask of the buttons still down.
void SendMouse(HWND window, UINT message, WPARAM held, int x, int y);
// The move that the pointer's arrival at client (x, y) of the button means: the pointer goes there
// and the button hears the move with the buttons `held`.
void MoveOver(HWND window, WPARAM held, int x, int y);

// A key as Windows posts it to the focused window (repeat = the key was already down).
void PostKeyDown(HWND window, WPARAM key, bool repeat = false);
void PostKeyUp(HWND window, WPARAM key);

}  // namespace testing_support
