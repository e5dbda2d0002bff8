// Every drawing object of the pages (the buttons' fonts and see-through copies, the tab strip's pens,
// the pages' pictures) is selected out of its device context before it is deleted, from start-up to
// the end of the run.
#include "pages_fixture.h"
#include "support/gdi_check.h"

TEST(DrawingObjects, NoneIsDeletedWhileStillSelected) {
    testing_support::SelectedDeletionCheck check;
    {
        Started s;
        s.Start();
        s.OpenProduct(12, [](pages::AdvertisePage& page) {
            page.cmdReturn().SetFontBold(true);
            page.cmdPrintPage().SetFont(platform::FontValue{"Arial", 12});
        });
        s.main().MainTab().SetTab(2);
    }
    EXPECT_EQ(check.Faults(), std::vector<std::string>());
}
