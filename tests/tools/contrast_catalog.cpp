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

struct Colour {
    int element;
    COLORREF value;
};

constexpr Colour kHighContrastBlack[] = {
    {COLOR_WINDOW, RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},
    {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},
    {COLOR_3DHIGHLIGHT, RGB(255, 255, 255)},
    {COLOR_3DLIGHT, RGB(255, 255, 255)},
    {COLOR_3DSHADOW, RGB(255, 255, 255)},
    {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
    {COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
    {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
    {COLOR_INACTIVECAPTION, RGB(0, 128, 0)},
    {COLOR_INACTIVECAPTIONTEXT, RGB(255, 255, 255)},
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    constexpr int kCount = static_cast<int>(std::size(kHighContrastBlack));
    int elements[kCount];
    COLORREF theme[kCount];
    COLORREF before[kCount];
    for (int i = 0; i < kCount; ++i) {
        elements[i] = kHighContrastBlack[i].element;
        theme[i] = kHighContrastBlack[i].value;
        before[i] = GetSysColor(elements[i]);
    }
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
