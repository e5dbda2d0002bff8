// The program's start: the single-copy guard, the product list, the printer's unit, and the main page.
#pragma once

#include <memory>

namespace platform {
class Application;
}
namespace pages {
class MainPage;
}

namespace app {

// Everything that lives for the whole run.
class Program {
public:
    explicit Program(platform::Application& application);
    ~Program();

    // The start-up routine: refuses a second copy, builds ProductNames, sets the
    // printer's unit to inches and shows the main page modeless. Returns at once; the event loop runs
    // the rest.
    void Main();

    // The main page once Main has shown it.
    pages::MainPage* MainPage() const { return frmMainPage_.get(); }

private:
    platform::Application& application_;
    std::shared_ptr<pages::MainPage> frmMainPage_;
};

}  // namespace app
