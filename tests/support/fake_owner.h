// An owner for printouts that records what printing did to it.
#pragma once

#include <string>
#include <vector>

#include "common/print_text.h"
#include "platform/forms/page.h"

namespace testing_support {

class FakeOwner : public common::PrintOwner {
public:
    HWND Handle() const override { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)); }
    void SetEnabled(bool on) override {
        enabled = on;
        log.push_back(on ? "enable" : "disable");
    }
    void SetMousePointer(int shape) override {
        pointer = shape;
        log.push_back("pointer " + std::to_string(shape));
    }

    bool enabled = true;
    int pointer = platform::kPointerDefault;
    std::vector<std::string> log;
};

}  // namespace testing_support
