// Entry point of catalog.exe.
#include "app/program.h"
#include "platform/forms/application.h"
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Application application;
    app::Program program(application);
    program.Main();
    return application.Run();
}
