// catalog_bench.exe: catalog.exe for the start-up benchmark. It is the same program, built from the
// same library, resources and manifest, and starts exactly as src/app/winmain.cpp does; the one
// difference is the observer that reports the first frame (and may end the run there).
#include "app/program.h"
#include "first_frame_report.h"
#include "platform/forms/application.h"
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Application application;
    application.ObserveFirstFrame(bench::ReportFirstFrame);
    app::Program program(application);
    program.Main();
    return application.Run();
}
