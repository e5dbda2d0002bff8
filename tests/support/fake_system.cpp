#include "support/fake_system.h"

#include <stdexcept>

namespace testing_support {

FakeSystem::FakeSystem() : override_(*this) {}

FakeSystem::~FakeSystem() = default;

int FakeSystem::ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT style) {
    messages.push_back({owner, text, title, style});
    if (duringMessage) duringMessage(messages.back());
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 0x0F) == MB_YESNO ? IDYES : IDOK;
}

INT_PTR FakeSystem::ShellOpen(HWND owner, const std::string& file, const std::string& directory,
                              int showCommand) {
    shellCalls.push_back({owner, file, directory, showCommand});
    return shellResult;
}

platform::Printer& FakeSystem::DefaultPrinter() {
    if (!printer) throw platform::PrinterError(platform::PrintFailure::NoPrinter);
    return *printer;
}

}  // namespace testing_support
