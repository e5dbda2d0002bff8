// A page made from layout text that records its events and lets a test hook into each of them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/standard_controls.h"
#include "platform/forms/application.h"
#include "platform/forms/page.h"

namespace testing_support {

class TestPage : public platform::Page {
public:
    TestPage(platform::Application& app, std::string layout, std::vector<std::string>* log = nullptr)
        : Page(app, platform::LayoutText{std::move(layout)}), log_(log) {}

    std::function<void()> onActivate;
    std::function<void(std::int16_t& cancel, std::int16_t mode)> onQueryUnload;
    std::function<std::unique_ptr<platform::Control>(const platform::LayoutNode&)> makeControl;

    int activations = 0;

protected:
    void Form_Load() override { Record("load"); }
    void Form_Activate() override {
        ++activations;
        Record("activate");
        if (onActivate) onActivate();
    }
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t mode) override {
        Record("queryunload " + std::to_string(mode));
        if (onQueryUnload) onQueryUnload(cancel, mode);
    }
    void Form_Unload(std::int16_t&) override { Record("unload"); }
    std::unique_ptr<platform::Control> CreateControl(const platform::LayoutNode& node) override {
        if (makeControl)
            if (auto control = makeControl(node)) return control;
        return platform::MakeStandardControl(*this, node);
    }

private:
    void Record(const std::string& what) {
        if (log_) log_->push_back(Name() + " " + what);
    }
    std::vector<std::string>* log_;
};

// A minimal page layout with the given name and extra lines.
inline std::string SimpleLayout(const std::string& name, const std::string& body = "") {
    return "Begin Page " + name + "\n    Width = 4500\n    Height = 3000\n" + body + "End\n";
}

// Lets messages run (through the application's keyboard handling) until `done` or until `timeoutMs`
// has passed; returns done(). WM_QUIT is swallowed: a test has no outer loop to end.
inline bool PumpUntil(platform::Application& app, const std::function<bool()>& done, int timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    for (MSG message; !done();) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            app.Dispatch(message);
            if (done()) return true;
        }
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
// Lets the messages that are waiting now run.
inline void Pump(platform::Application& app) {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        if (message.message != WM_QUIT) app.Dispatch(message);
}

}  // namespace testing_support
