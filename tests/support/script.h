// Steps that run inside whatever message loop is running (a modal page's nested loop included): each
// step waits until its condition holds, then acts. Checked every 20 ms (or the given period) by a
// thread timer.
#pragma once

#include <deque>
#include <functional>
#include <string>

namespace testing_support {

class Script {
public:
    explicit Script(unsigned periodMs = 20);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Adds a step: when `when()` holds, `act()` runs once.
    Script& Then(std::string name, std::function<bool()> when, std::function<void()> act);
    bool Done() const { return steps_.empty(); }
    // The step that has not run yet (for failure messages).
    std::string Pending() const { return steps_.empty() ? std::string() : steps_.front().name; }

private:
    struct Step {
        std::string name;
        std::function<bool()> when;
        std::function<void()> act;
    };
    static void Tick();

    std::deque<Step> steps_;
    unsigned long long timer_ = 0;
};

}  // namespace testing_support
