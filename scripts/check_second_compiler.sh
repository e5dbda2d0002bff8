#!/usr/bin/env bash
# Compiles every source of the program and its tests with a second compiler, clang, in its strictest
# standard mode (C++20, no extensions, warnings as errors) against the MinGW-w64 Windows headers. It
# catches code that only GCC accepts; what it cannot show is that MSVC and the Windows SDK accept it.
set -euo pipefail
cd "$(dirname "$0")/.."

gcc_include=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | sort -V | tail -n 1)
flags=(--target=x86_64-w64-mingw32 -std=c++20 -fsyntax-only -Wall -Wextra -pedantic-errors -Werror
       -DNOMINMAX -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601 -DWINVER=0x0601
       -DCATALOG_FUZZ_CORPUS=\"corpus\" -DCATALOG_GALLERY_PICTURE=\"gallery.png\"
       -DCATALOG_GALLERY_OUTPUT=\"gallery\" -DCATALOG_TESTS_DIR=\"tests\"
       -isystem "$gcc_include" -isystem "$gcc_include/x86_64-w64-mingw32"
       -isystem /usr/x86_64-w64-mingw32/include -isystem /usr/src/googletest/googletest/include
       -Isrc -Itests)
git ls-files -z -- 'src/*.cpp' 'tests/unit/*.cpp' 'tests/support/*.cpp' 'tests/tools/*.cpp' 'benchmarks/*.cpp' |
    xargs -0 -n 8 -P "$(nproc)" clang++ "${flags[@]}"
