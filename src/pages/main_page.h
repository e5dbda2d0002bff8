// The main page (frmMainPage): header, welcome and quit buttons, the three category tabs of product
// buttons and the two contact labels. It lives for the whole run; closing it ends the run.
#pragma once

#include <cstdint>
#include <memory>

#include "button/tamrix_button.h"
#include "pages/advertise_page.h"
#include "pages/catalog_page.h"
#include "platform/controls/image_box.h"
#include "platform/controls/label.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/tab_strip.h"

namespace pages {

class MainPage : public CatalogPage {
public:
    explicit MainPage(platform::Application& app);
    ~MainPage() override;

    bool InitDone() const { return InitDone_; }

    button::TamrixButton& cmdWelcome() const { return Get<button::TamrixButton>("cmdWelcome"); }
    button::TamrixButton& cmdQuit() const { return Get<button::TamrixButton>("cmdQuit"); }
    button::TamrixButton& cmdChoice(int index) const { return Get<button::TamrixButton>("cmdChoice", index); }
    platform::Label& lblHeader() const { return Get<platform::Label>("lblHeader"); }
    platform::Label& lbl(int index) const { return Get<platform::Label>("lbl", index); }
    platform::TabStrip& MainTab() const { return Get<platform::TabStrip>("MainTab"); }
    platform::PictureBox& PicBox(int index) const { return Get<platform::PictureBox>("PicBox", index); }
    platform::ImageBox& imgPanel(int index) const { return Get<platform::ImageBox>("imgPanel", index); }

    // The product page: made and loaded when first asked for, until its return command drops it.
    AdvertisePage& frmAdvertise();
    // The product page if one is loaded now.
    AdvertisePage* LoadedAdvertisePage() const;

    // The commands.
    void cmdWelcome_Click();
    void cmdChoice_Click(std::int16_t Index);
    void lbl_Click(std::int16_t Index);
    void cmdQuit_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override;
    void Form_DpiChanged() override;

private:
    void BindEvents();
    void TileBackgrounds();

    bool InitDone_ = false;
    std::shared_ptr<AdvertisePage> frmAdvertise_;
};

}  // namespace pages
