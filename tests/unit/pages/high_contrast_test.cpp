// High contrast turned on and off while the pages are up (Windows announces it with WM_SETTINGCHANGE;
// the test answers the setting through the system services' stand-in): the pages drop their pictures
// for the window colour and every button shows the system's colours; turned off, every pixel is what
// it was, and a page started under high contrast then looks as one started without it.
#include "pages_fixture.h"
#include "platform/win32/gdi.h"
#include "support/button_surface.h"

namespace {

using testing_support::CaptureSurface;
using testing_support::Pixels;
using testing_support::PrintClient;

// The main page as it looks: its background, the first tab's box and every button of the first tab and
// the top row.
std::vector<Pixels> Look(pages::MainPage& main) {
    std::vector<Pixels> look = {PrintClient(main.hwnd()), PrintClient(main.PicBox(0).hwnd()),
                                CaptureSurface(main.cmdWelcome()), CaptureSurface(main.cmdQuit())};
    for (int i : {11, 1, 15, 2, 3, 17, 10}) look.push_back(CaptureSurface(main.cmdChoice(i)));
    return look;
}

void Announce(Started& s, bool on) {
    s.system.highContrast = on;
    SendMessageA(s.main().hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    testing_support::Pump(s.app);
}

TEST(HighContrast, ThePagesDropTheirPicturesAndTheButtonsTheirColoursUntilItIsTurnedOffAndStartAsWithout) {
    std::vector<Pixels> normal;
    {
        Started s;
        s.Start();
        pages::MainPage& main = s.main();
        normal = Look(main);

        Announce(s, true);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        for (HWND w : {main.hwnd(), main.PicBox(0).hwnd()}) {
            Pixels background = PrintClient(w);
            EXPECT_EQ(background.Count(window), background.width() * background.height());
        }
        // Daybeacon: orange no more, its frame in the button text colour about the button face.
        Pixels daybeacon = CaptureSurface(main.cmdChoice(11));
        EXPECT_EQ(daybeacon.at(0, 0), GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(daybeacon.at(daybeacon.width() - 6, daybeacon.height() - 8), GetSysColor(COLOR_BTNFACE));
        // Welcome! has the focus and shows it now, though its own setting hides the focus rectangle.
        Pixels welcome = CaptureSurface(main.cmdWelcome());
        const RECT& f = main.cmdWelcome().fields().FocusRect;
        EXPECT_LT(welcome.Count(GetSysColor(COLOR_BTNFACE), f.left, f.top, f.right, f.top + 1),
                  f.right - f.left);

        Announce(s, false);
        EXPECT_TRUE(Look(main) == normal);
    }
    // A page started under high contrast looks as one started without once it is turned off: the
    // see-through buttons copied the window colour at start; they copy the pictures again.
    Started s;
    s.system.highContrast = true;
    s.Start();
    Announce(s, false);
    EXPECT_TRUE(Look(s.main()) == normal);
}

}  // namespace
