#include "support/test_page.h"

namespace testing_support {

bool PumpUntil(platform::Application& app, const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
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

void Pump(platform::Application& app) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        app.Dispatch(message);
    }
}

}  // namespace testing_support
