#include "pages/main_page.h"

#include "catalog/catalog_table.h"
#include "common/maker.h"
#include "common/open_link.h"
#include "common/tile_background.h"
#include "pages/version_title.h"
#include "platform/forms/application.h"
#include "platform/system/system.h"
#include "platform/win32/resources.h"

namespace pages {
namespace {

// An empty separator, which the locale settings may hold, is written as a point.
std::string LocaleDecimalSeparator() {
    std::string separator = platform::System().DecimalSeparator();
    return separator.empty() ? "." : separator;
}

const char* const kGiftReminder =
    "Just a friendly reminder...\r\n"
    "\r\n"
    "Keep in mind that many of these programs\r\n"
    "would make a GREAT inexpensive gift!\r\n"
    "\r\n"
    "You can order online and provide the\r\n"
    "name/address of the lucky recipient\r\n"
    "in the ordering details!\r\n"
    "\r\n"
    "Would you like to do that now?";

}  // namespace

MainPage::MainPage(platform::Application& app) : CatalogPage(app, "LAYOUT_MAINPAGE") {}

MainPage::~MainPage() {
    // A product page that outlives this one (the application unloads it last) has nobody to tell.
    if (frmAdvertise_) frmAdvertise_->onUnloaded = nullptr;
}

void MainPage::BindEvents() {
    cmdWelcome().events.Click = [this] { cmdWelcome_Click(); };
    cmdQuit().events.Click = [this] { cmdQuit_Click(); };
    for (int i = 1; i <= catalog::kProductCount; ++i)
        cmdChoice(i).events.Click = [this, i] { cmdChoice_Click(static_cast<std::int16_t>(i)); };
    for (int i = 1; i <= 2; ++i) lbl(i).Click = [this, i] { lbl_Click(static_cast<std::int16_t>(i)); };
}

void MainPage::Form_Load() {
    BindEvents();
    SetSize(7570, 5475);
    platform::AppVersion version = platform::ApplicationVersion();
    SetCaption(MainPageTitle(common::MakerName, version.major, version.minor, version.revision,
                             LocaleDecimalSeparator()));
    TileBackgrounds();
}

void MainPage::Form_DpiChanged() {
    TileBackgrounds();
}

void MainPage::TileBackgrounds() {
    // The tiles are painted once, onto images that the boxes and the page keep (again only when the
    // page moves to a display of another scale), laid in pixels so that they meet at every scale.
    using common::InPixels;
    for (int i = 0; i < 3; ++i) common::TileBackground(InPixels(imgPanel(i)), InPixels(PicBox(i)));
    common::TileBackground(InPixels(imgPanel(3)), InPixels(*this));
}

void MainPage::Form_Activate() {
    if (InitDone_) return;

    cmdWelcome().SetCaption("Welcome!");
    cmdWelcome().Refresh();
    cmdQuit().SetCaption("Goodbye!");
    cmdQuit().Refresh();
    const catalog::ProductList& names = catalog::ProductNames();
    int count = names.Count();
    for (int i = 1; i <= count; ++i) {
        cmdChoice(i).SetCaption(names.Item(i));
        cmdChoice(i).Refresh();
    }
    // Set before the welcome page opens, so that the activations when it closes do nothing.
    InitDone_ = true;

    lblHeader().SetCaption(std::string(common::MakerName) + "\r\n" + std::string(common::MakerPostBox) +
                           "\r\n" + std::string(common::MakerCity));
    lbl(1).SetCaption(" " + std::string(common::MakerMail) + " ");
    lbl(1).SetToolTipText(" Email " + std::string(common::MakerName) + " ");
    lbl(2).SetCaption(" " + std::string(common::MakerWeb) + " ");
    lbl(2).SetToolTipText(" Visit " + std::string(common::MakerName) + "'s Web Site ");

    cmdWelcome_Click();  // modal: returns when the welcome page has been closed
    MainTab().SetTab(0);
}

AdvertisePage& MainPage::frmAdvertise() {
    // A page is used from its load to its unload only; however it went (its return command, its close
    // box, Alt+F4, its system menu, the end of the session), the next use makes a new one, so that its
    // fields, captions and place start afresh.
    if (!frmAdvertise_ || !frmAdvertise_->IsLoaded()) {
        frmAdvertise_ = std::make_shared<AdvertisePage>(app());
        frmAdvertise_->onUnloaded = [this] { frmAdvertise_.reset(); };
        frmAdvertise_->Load();
    }
    return *frmAdvertise_;
}

AdvertisePage* MainPage::LoadedAdvertisePage() const {
    return frmAdvertise_ && frmAdvertise_->IsLoaded() ? frmAdvertise_.get() : nullptr;
}

void MainPage::cmdWelcome_Click() {
    AdvertisePage& page = frmAdvertise();
    page.SetCaption(cmdWelcome().Caption());
    page.cmdRegisterNow().SetVisible(false);
    page.cmdDownload().SetVisible(false);
    page.cmdPrintOrderForm().SetVisible(false);
    page.cmdPrintPage().SetVisible(false);
    page.cmdReturn().SetCaption("&Continue\r\n(Esc)");
    page.txtProgramDescription().SetText(platform::LoadResString(200));
    page.ShowModal();
}

void MainPage::cmdChoice_Click(std::int16_t Index) {
    AdvertisePage& page = frmAdvertise();
    page.SetCaption(catalog::ProductNames().Item(Index));
    page.txtProgramDescription().SetText(platform::LoadResString(Index));
    page.cmdReturn().SetCaption("&Return\r\n(Esc)");
    page.ShowModal();
}

void MainPage::lbl_Click(std::int16_t Index) {
    common::OpenLink(Index, hwnd(), "");
}

void MainPage::cmdQuit_Click() {
    Unload(platform::kFormCode);
}

void MainPage::Form_QueryUnload(std::int16_t& Cancel, std::int16_t /*UnloadMode*/) {
    std::string title = "Thanks for visiting " + std::string(common::MakerName) + "'s Catalog!";
    int answer = platform::System().ShowMessage(hwnd(), kGiftReminder, title,
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
    // Only No ends the run. Any other answer keeps the program open as Yes does: under Wine a Yes/No
    // box answers Esc, Alt+F4 and its close box with Cancel.
    if (answer != IDNO) {
        Cancel = -1;
        return;
    }
    // Every loaded page goes, this one included; it is already closing and is not asked again.
    for (const auto& page : app().LoadedPages()) page->Unload();
}

}  // namespace pages
