// A page of the catalog: a toolkit page whose layout holds the toolkit's controls and TamrixButtons.
#pragma once

#include <memory>
#include <string>

#include "button/tamrix_button.h"
#include "platform/controls/standard_controls.h"
#include "platform/forms/page.h"

namespace pages {

class CatalogPage : public platform::Page {
public:
    using Page::Page;

protected:
    std::unique_ptr<platform::Control> CreateControl(const platform::LayoutNode& node) override {
        if (node.className == button::TamrixButton::kClassName)
            return std::make_unique<button::TamrixButton>(*this, node);
        return platform::MakeStandardControl(*this, node);
    }
};

}  // namespace pages
