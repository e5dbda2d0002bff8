# The Windows program, its resources and the tests that run on Windows (under Wine when cross-built).

if(MSVC)
    # The resource script embeds the program's manifest (common controls 6, DPI awareness); the linker
    # must not add one of its own beside it.
    add_link_options(/MANIFEST:NO)
else()
    # One self-contained exe: no libstdc++/libgcc/winpthread DLLs beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

set(CATALOG_SYSTEM_LIBS gdi32 user32 comctl32 ole32 oleaut32 uuid msimg32 winspool shell32 comdlg32 oleacc)

# Resources: string table, version, manifest, pictures and page layouts.
file(GLOB_RECURSE CATALOG_RESOURCE_FILES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.cur
    ${CMAKE_SOURCE_DIR}/resources/*.jpg ${CMAKE_SOURCE_DIR}/resources/*.layout ${CMAKE_SOURCE_DIR}/resources/*.manifest)
add_library(catalog_resources OBJECT resources/catalog.rc)
set_source_files_properties(resources/catalog.rc PROPERTIES OBJECT_DEPENDS "${CATALOG_RESOURCE_FILES}")
target_include_directories(catalog_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)

# Everything of the program but its entry point, so that tests link the real code.
file(GLOB CATALOG_CORE_SOURCES CONFIGURE_DEPENDS
    src/platform/*/*.cpp src/button/*.cpp src/common/*.cpp src/catalog/*.cpp src/pages/*.cpp src/app/*.cpp)
list(REMOVE_ITEM CATALOG_CORE_SOURCES ${CMAKE_SOURCE_DIR}/src/app/winmain.cpp)
foreach(portable ${CATALOG_PORTABLE_SOURCES})
    list(REMOVE_ITEM CATALOG_CORE_SOURCES ${CMAKE_SOURCE_DIR}/${portable})
endforeach()
add_library(catalog_core STATIC ${CATALOG_CORE_SOURCES})
target_include_directories(catalog_core PUBLIC src)
target_link_libraries(catalog_core PUBLIC catalog_portable ${CATALOG_SYSTEM_LIBS})
target_compile_definitions(catalog_core PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601)
catalog_warnings(catalog_core)

# A program as shipped carries no symbols and no debug information: under Wine the loader reads the
# whole image into memory, so they would weigh on every run's working set (about 0.4 MB of it).
function(catalog_shipped target)
    if(NOT MSVC)
        target_link_options(${target} PRIVATE -s)
    endif()
endfunction()

add_executable(catalog WIN32 src/app/winmain.cpp $<TARGET_OBJECTS:catalog_resources>)
target_link_libraries(catalog PRIVATE catalog_core)
catalog_warnings(catalog)
catalog_shipped(catalog)
set_target_properties(catalog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Tests: one executable per folder under tests/unit, each one CTest test (every Wine start costs time).
include(cmake/GoogleTest.cmake)
file(GLOB CATALOG_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(catalog_test_support STATIC ${CATALOG_TEST_SUPPORT_SOURCES})
target_include_directories(catalog_test_support PUBLIC tests src)
target_link_libraries(catalog_test_support PUBLIC catalog_core gtest)
catalog_warnings(catalog_test_support)

# The fuzzing corpus, which the reliability tests replay, and the tests' folder, which holds the
# expected printed words: Windows paths (Wine sees the host's / as Z:).
if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
    set(CATALOG_SOURCE_PATH "Z:${CMAKE_SOURCE_DIR}")
else()
    set(CATALOG_SOURCE_PATH "${CMAKE_SOURCE_DIR}")
endif()

file(GLOB CATALOG_TEST_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*)
foreach(dir ${CATALOG_TEST_DIRS})
    if(IS_DIRECTORY ${dir})
        get_filename_component(group ${dir} NAME)
        file(GLOB group_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
        add_executable(test_${group} ${group_sources} $<TARGET_OBJECTS:catalog_resources>)
        target_link_libraries(test_${group} PRIVATE catalog_test_support gtest_main)
        target_compile_definitions(test_${group} PRIVATE CATALOG_FUZZ_CORPUS="${CATALOG_SOURCE_PATH}/fuzz/corpus"
                                                     CATALOG_TESTS_DIR="${CATALOG_SOURCE_PATH}/tests")
        catalog_warnings(test_${group})
        set_target_properties(test_${group} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        add_test(NAME ${group} COMMAND test_${group} --gtest_color=no)
        # The test programs share one desktop, one pointer and one foreground window: run them one at a
        # time, or one program's page takes the activation (and the focus) from another's.
        set_tests_properties(${group} PROPERTIES TIMEOUT 600 RESOURCE_LOCK desktop)
    endif()
endforeach()

# Small helper programs that tests start as separate processes (a second copy, the shell's logger...).
# One whose name ends in _catalog is the catalog itself on test stand-ins (tests/support).
file(GLOB CATALOG_TEST_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
foreach(tool ${CATALOG_TEST_TOOLS})
    get_filename_component(name ${tool} NAME_WE)
    if(name MATCHES "_catalog$")
        add_executable(${name} WIN32 ${tool} $<TARGET_OBJECTS:catalog_resources>)
        target_link_libraries(${name} PRIVATE catalog_test_support)
    else()
        add_executable(${name} ${tool})
        target_link_libraries(${name} PRIVATE ${CATALOG_SYSTEM_LIBS})
    endif()
    catalog_warnings(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endforeach()

# Benchmarks (./bench): catalog_bench, which is catalog.exe with an observer that reports its first frame;
# the smallest window program, to compare start-up with, reporting through the same code; and the
# timings of the drawing and printing routines.
add_executable(catalog_bench WIN32 benchmarks/catalog_bench.cpp benchmarks/first_frame_report.cpp
               $<TARGET_OBJECTS:catalog_resources>)
target_link_libraries(catalog_bench PRIVATE catalog_core)
catalog_warnings(catalog_bench)
catalog_shipped(catalog_bench)
add_executable(minimal_window WIN32 benchmarks/minimal_window.cpp benchmarks/first_frame_report.cpp)
target_link_libraries(minimal_window PRIVATE user32 gdi32)
catalog_warnings(minimal_window)
catalog_shipped(minimal_window)
add_executable(bench_routines benchmarks/routines.cpp $<TARGET_OBJECTS:catalog_resources>)
target_link_libraries(bench_routines PRIVATE catalog_test_support)
catalog_warnings(bench_routines)
set_target_properties(catalog_bench minimal_window bench_routines PROPERTIES
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# The button gallery compares what the button paints with the README's picture, and leaves what it
# painted in the build folder.
if(TARGET test_gallery)
    if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
        set(drive "Z:")
    endif()
    target_compile_definitions(test_gallery PRIVATE
        CATALOG_GALLERY_PICTURE="${drive}${CMAKE_SOURCE_DIR}/docs/gallery.png"
        CATALOG_GALLERY_OUTPUT="${drive}${CMAKE_BINARY_DIR}/gallery")
    target_link_libraries(test_gallery PRIVATE windowscodecs)
endif()
