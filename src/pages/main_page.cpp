#include "pages/main_page.h"

#include "app/maker.h"
#include "pages/version_title.h"
#include "platform/resources.h"

namespace pages {
namespace {

std::string LocaleDecimalSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return ".";
    return separator;
}

}  // namespace

MainPage::MainPage(platform::Application& app) : Page(app, "LAYOUT_MAINPAGE") {}

void MainPage::Form_Load() {
    SetSize(7570, 5475);
    platform::AppVersion version = platform::ApplicationVersion();
    SetCaption(MainPageTitle(app::MakerName, version.major, version.minor, version.revision, LocaleDecimalSeparator()));
}

}  // namespace pages
