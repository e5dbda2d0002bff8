// The main page (frmMainPage): header, welcome and quit buttons, the three category tabs of product
// buttons and the contact labels.
#pragma once

#include <cstdint>

#include "platform/page.h"

namespace pages {

class MainPage : public platform::Page {
public:
    explicit MainPage(platform::Application& app);

protected:
    void Form_Load() override;
};

}  // namespace pages
