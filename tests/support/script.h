// Steps that run inside whatever message loop is running (a modal page's nested loop included): each
// step waits until its condition holds, then acts. Checked every 20 ms (or the given period) by a
// thread timer.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "platform/win32/win.h"

namespace testing_support {

class Script {
public:
    explicit Script(unsigned periodMs = 20) {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, periodMs, [](HWND, UINT, UINT_PTR, DWORD) { Tick(); });
    }
    ~Script() {
        KillTimer(nullptr, timer_);
        if (active_ == this) active_ = nullptr;
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Adds a step: when `when()` holds, `act()` runs once.
    Script& Then(std::string name, std::function<bool()> when, std::function<void()> act) {
        steps_.push_back({std::move(name), std::move(when), std::move(act)});
        return *this;
    }
    bool Done() const { return steps_.empty(); }
    // The step that has not run yet (for failure messages).
    std::string Pending() const { return steps_.empty() ? std::string() : steps_.front().name; }

private:
    struct Step {
        std::string name;
        std::function<bool()> when;
        std::function<void()> act;
    };
    static void Tick() {
        if (!active_ || active_->steps_.empty() || !active_->steps_.front().when()) return;
        Step step = std::move(active_->steps_.front());
        active_->steps_.pop_front();
        step.act();  // it may open a modal page: the steps after it then run inside that page's loop
    }

    static inline Script* active_ = nullptr;  // one at a time: a thread timer's callback has no context
    std::deque<Step> steps_;
    UINT_PTR timer_ = 0;
};

}  // namespace testing_support
