// A stand-in for the world outside the program: message boxes answered from a script, a record of
// what reached the shell, and a high-contrast setting of the test's choosing.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/system/system.h"

namespace testing_support {

struct ShownMessage {
    HWND owner;
    std::string text;
    std::string title;
    UINT style;
};

struct ShellCall {
    HWND owner;
    std::string file;
    std::string directory;
    int showCommand;
};

class FakeSystem : public platform::SystemServices {
public:
    FakeSystem();
    ~FakeSystem() override;

    int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style) override;
    INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                      int showCommand) override;
    bool PreviousInstanceRunning() override { return previousInstance; }
    platform::Printer& DefaultPrinter() override;
    bool HighContrast() override { return highContrast; }

    // Answers for the next message boxes, in order; IDOK (or IDYES for a Yes/No box) when none is left.
    std::deque<int> answers;
    // Runs inside each message box, before it is answered (to look at the program's state then).
    std::function<void(const ShownMessage&)> duringMessage;
    // What the shell returns.
    INT_PTR shellResult = 42;
    bool previousInstance = false;
    bool highContrast = false;
    platform::Printer* printer = nullptr;

    std::vector<ShownMessage> messages;
    std::vector<ShellCall> shellCalls;

private:
    platform::SystemOverride override_;
};

}  // namespace testing_support
