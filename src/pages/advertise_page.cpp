#include "pages/advertise_page.h"

#include "catalog/catalog_table.h"
#include "common/open_link.h"
#include "common/print_text.h"
#include "common/tile_background.h"
#include "platform/system/system.h"
#include "platform/win32/resources.h"
#include "platform/win32/units.h"

namespace pages {

AdvertisePage::AdvertisePage(platform::Application& app) : CatalogPage(app, "LAYOUT_ADVERTISE") {}

void AdvertisePage::Form_Load() {
    cmdRegisterNow().events.Click = [this] { cmdRegisterNow_Click(); };
    cmdDownload().events.Click = [this] { cmdDownload_Click(); };
    cmdPrintOrderForm().events.Click = [this] { cmdPrintOrderForm_Click(); };
    cmdPrintPage().events.Click = [this] { cmdPrintPage_Click(); };
    cmdReturn().events.Click = [this] { cmdReturn_Click(); };

    // 7635 by 5355 twips is the page without a title bar; the title bar is added on top, so that the
    // bottom row of the layout (down to 5160 twips) stays inside the page.
    int captionTwips = platform::PixelsToTwips(platform::SystemMetricForDpi(SM_CYCAPTION, Dpi()), Dpi());
    SetSize(7635, 5355 + captionTwips);
    Form_DpiChanged();
}

void AdvertisePage::Form_DpiChanged() {
    // Laid in pixels, so that the tiles meet at every scale.
    common::TileBackground(common::InPixels(imgBackground()), common::InPixels(*this));
}

void AdvertisePage::Form_Activate() {
    if (InitDone_) return;

    cmdRegisterNow().SetCaption("Order\r\n&Online");
    cmdRegisterNow().Refresh();
    cmdDownload().SetCaption("&Download\r\nNow");
    cmdDownload().Refresh();
    cmdPrintOrderForm().SetCaption("Print\r\nOrder &Form");
    cmdPrintOrderForm().Refresh();
    cmdPrintPage().SetCaption("Print\r\nthis &Page");
    cmdPrintPage().Refresh();
    cmdReturn().Refresh();
    // A screen reader names the description box after the product it describes.
    txtProgramDescription().SetAccessibleName(Caption() + " description");

    // The page finds its product by its caption; a caption that names no product (the welcome page)
    // leaves the bare addresses and no price.
    std::optional<catalog::CatalogEntry> row = catalog::FindCatalogRow(Caption(), catalog::ProductNames());
    if (row) strPrice_ = std::string(row->priceText);
    strOrderLink_ = catalog::OrderLinkFor(row);
    strEvalLink_ = catalog::EvaluationLinkFor(row);
    InitDone_ = true;
}

void AdvertisePage::cmdRegisterNow_Click() {
    common::OpenLink(common::kLinkWeb, hwnd(), strOrderLink_);
}

void AdvertisePage::cmdDownload_Click() {
    std::string question = "This will download the latest\r\nfull-featured evaluation version\r\nof " +
                           Caption() + ".\r\n\r\nDo you wish to continue?";
    int answer = platform::System().ShowMessage(hwnd(), question, "Download",
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
    // Only Yes downloads: a box closed any other way (Wine answers Esc and the close box with Cancel)
    // is no. Nor does anything start for a page that was closed while its question was open: the
    // question went with it, and the user can no longer see what would be downloaded.
    if (answer == IDYES && IsLoaded()) common::OpenLink(common::kLinkWeb, hwnd(), strEvalLink_);
}

void AdvertisePage::cmdPrintOrderForm_Click() {
    std::string form =
        "Order form for\r\n" + Caption() + " (" + strPrice_ + ")\r\n\r\n" + platform::LoadResString(100);
    common::PrintText(*this, form, "", false, false);
}

void AdvertisePage::cmdPrintPage_Click() {
    common::PrintText(*this, txtProgramDescription().Text(), "", false, false);
}

void AdvertisePage::cmdReturn_Click() {
    Unload();  // the opener hears of it and drops this page
}

}  // namespace pages
