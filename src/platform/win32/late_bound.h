// Functions of system libraries that only some runs need (the spooler for printing, the shell for
// links, accessibility for screen readers). They are looked up on first use instead of being imported,
// so that start-up neither loads those libraries nor what they pull in (under Wine the spooler brings
// the whole CUPS client with its TLS stack). A library loaded this way stays loaded for the run.
#pragma once

#include "platform/win32/win.h"

namespace platform {

// The function `name` of `library`, or null when either cannot be found. `Function` is the
// function's pointer type.
template <class Function>
Function LateBoundFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace platform
