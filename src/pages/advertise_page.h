// The product page (frmAdvertise): one product's description with five commands (order online,
// download the evaluation version, print the order form, print the description, return). The main
// page also uses it as the welcome page. The page knows its product only by its caption.
#pragma once

#include <cstdint>
#include <string>

#include "button/tamrix_button.h"
#include "pages/catalog_page.h"
#include "platform/controls/image_box.h"
#include "platform/controls/text_box.h"

namespace pages {

class AdvertisePage : public CatalogPage {
public:
    explicit AdvertisePage(platform::Application& app);

    // What the first activation worked out.
    bool InitDone() const { return InitDone_; }
    const std::string& strPrice() const { return strPrice_; }
    const std::string& strOrderLink() const { return strOrderLink_; }
    const std::string& strEvalLink() const { return strEvalLink_; }

    button::TamrixButton& cmdRegisterNow() const { return Get<button::TamrixButton>("cmdRegisterNow"); }
    button::TamrixButton& cmdDownload() const { return Get<button::TamrixButton>("cmdDownload"); }
    button::TamrixButton& cmdPrintOrderForm() const { return Get<button::TamrixButton>("cmdPrintOrderForm"); }
    button::TamrixButton& cmdPrintPage() const { return Get<button::TamrixButton>("cmdPrintPage"); }
    button::TamrixButton& cmdReturn() const { return Get<button::TamrixButton>("cmdReturn"); }
    platform::TextBox& txtProgramDescription() const {
        return Get<platform::TextBox>("txtProgramDescription");
    }
    platform::ImageBox& imgBackground() const { return Get<platform::ImageBox>("imgBackground"); }

    // The five commands.
    void cmdRegisterNow_Click();
    void cmdDownload_Click();
    void cmdPrintOrderForm_Click();
    void cmdPrintPage_Click();
    void cmdReturn_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_DpiChanged() override;

private:
    bool InitDone_ = false;
    std::string strPrice_;
    std::string strOrderLink_;
    std::string strEvalLink_;
};

}  // namespace pages
