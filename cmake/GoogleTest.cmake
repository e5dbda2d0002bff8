# GoogleTest for whichever target this tree builds, found in this order:
#   1. a source tree: CATALOG_GTEST_SOURCE, by default Debian's source package in /usr/src/googletest,
#      built here with this tree's compiler and runtime;
#   2. an installed GoogleTest that CMake finds (find_package(GTest): vcpkg, a Conan toolchain, or
#      -DGTest_ROOT=...);
#   3. the release below, fetched at configure time (needs the network).
set(CATALOG_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build (empty: look elsewhere)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# The same C runtime as our code: static on MSVC (see CMAKE_MSVC_RUNTIME_LIBRARY).
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)

if(CATALOG_GTEST_SOURCE AND EXISTS "${CATALOG_GTEST_SOURCE}/CMakeLists.txt")
    add_subdirectory(${CATALOG_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest CONFIG QUIET)
    if(GTest_FOUND)
        add_library(gtest ALIAS GTest::gtest)
        add_library(gtest_main ALIAS GTest::gtest_main)
    else()
        include(FetchContent)
        FetchContent_Declare(googletest
            GIT_REPOSITORY https://github.com/google/googletest.git
            GIT_TAG v1.14.0
            GIT_SHALLOW TRUE)
        FetchContent_MakeAvailable(googletest)
    endif()
endif()
