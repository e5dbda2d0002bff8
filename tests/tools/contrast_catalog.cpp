// The catalog as a user who has turned high contrast on sees it, for the journeys' pictures: the real
// program on a stand-in for the system services that says high contrast is on (Wine has no
// high-contrast setting to turn on), under the colours of Windows' High Contrast Black theme while it
// runs. The gift reminder is answered No, so that Esc on the main page ends it; the colours are put
// back then.
#include <iterator>

#include "app/program.h"
#include "platform/forms/application.h"
#include "support/fake_system.h"

namespace {

// Windows' High Contrast Black theme: the elements and their colours.
const int elements[] = {
    COLOR_WINDOW,        COLOR_WINDOWTEXT,    COLOR_BTNFACE,         COLOR_BTNTEXT,
    COLOR_HIGHLIGHT,     COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,        COLOR_HOTLIGHT,
    COLOR_3DHIGHLIGHT,   COLOR_3DLIGHT,       COLOR_3DSHADOW,        COLOR_3DDKSHADOW,
    COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT,   COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT};
const COLORREF theme[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
                          RGB(26, 235, 255),  RGB(0, 0, 0),       RGB(63, 242, 63),   RGB(255, 255, 0),
                          RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                          RGB(0, 0, 128),     RGB(255, 255, 255), RGB(0, 128, 0),     RGB(255, 255, 255)};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    constexpr int kCount = static_cast<int>(std::size(elements));
    static_assert(std::size(theme) == std::size(elements));
    COLORREF before[kCount];
    for (int i = 0; i < kCount; ++i) before[i] = GetSysColor(elements[i]);
    SetSysColors(kCount, elements, theme);

    testing_support::FakeSystem system;
    system.highContrast = true;
    system.answers = {IDNO};
    int result = 0;
    {
        platform::Application application;
        app::Program program(application);
        program.Main();
        result = application.Run();
    }
    SetSysColors(kCount, elements, before);
    return result;
}
