#include "support/script.h"

#include "platform/win32/win.h"

namespace testing_support {
namespace {

Script* g_active = nullptr;  // one script at a time: a thread timer callback has no context of its own

}  // namespace

Script::Script(unsigned periodMs) {
    g_active = this;
    timer_ = SetTimer(nullptr, 0, periodMs, [](HWND, UINT, UINT_PTR, DWORD) { Script::Tick(); });
}

Script::~Script() {
    KillTimer(nullptr, static_cast<UINT_PTR>(timer_));
    if (g_active == this) g_active = nullptr;
}

Script& Script::Then(std::string name, std::function<bool()> when, std::function<void()> act) {
    steps_.push_back({std::move(name), std::move(when), std::move(act)});
    return *this;
}

void Script::Tick() {
    Script* script = g_active;
    if (!script || script->steps_.empty()) return;
    if (!script->steps_.front().when()) return;
    Step step = std::move(script->steps_.front());
    script->steps_.pop_front();
    // A step may open a modal page: the steps after it then run inside that page's loop.
    step.act();
}

}  // namespace testing_support
