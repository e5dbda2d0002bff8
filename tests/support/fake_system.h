// A stand-in for the world outside the program: message boxes answered from a script, a record of
// what reached the shell, and a high-contrast setting and decimal separator of the test's choosing.
#pragma once

#include <deque>
#include <functional>
#include <optional>
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
    FakeSystem() : override_(*this) {}

    int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style) override {
        messages.push_back({owner, text, title, style});
        if (duringMessage) duringMessage(messages.back());
        if (answers.empty()) return (style & 0x0F) == MB_YESNO ? IDYES : IDOK;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    INT_PTR ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                      int showCommand) override {
        shellCalls.push_back({owner, file, directory, showCommand});
        return shellResult;
    }
    bool PreviousInstanceRunning() override { return previousInstance; }
    platform::Printer& DefaultPrinter() override {
        if (!printer) throw platform::PrinterError(platform::PrintFailure::NoPrinter);
        return *printer;
    }
    bool HighContrast() override { return highContrast; }
    std::string DecimalSeparator() override {
        return decimalSeparator ? *decimalSeparator : SystemServices::DecimalSeparator();
    }

    // Answers for the next message boxes, in order; IDOK (or IDYES for a Yes/No box) when none is left.
    std::deque<int> answers;
    // Runs inside each message box, before it is answered (to look at the program's state then).
    std::function<void(const ShownMessage&)> duringMessage;
    // What the shell returns.
    INT_PTR shellResult = 42;
    bool previousInstance = false;
    bool highContrast = false;
    std::optional<std::string> decimalSeparator;  // the user's own unless set
    platform::Printer* printer = nullptr;

    std::vector<ShownMessage> messages;
    std::vector<ShellCall> shellCalls;

private:
    platform::SystemOverride override_;
};

}  // namespace testing_support
