# Helpers shared by every folder of the project.

set(KQ_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports std::string copies at -O3 as overlapping (a known false positive).
    list(APPEND KQ_WARNINGS -Wno-restrict)
endif()

# Optimisation of the test programs' own sources (see kq_test_suite).
set(KQ_TEST_OPTIMIZATION -O0 CACHE STRING "Optimisation flags of the test programs' sources")

# kq_library(<name> [DEPS libs...] [SYSTEM_DEPS libs...] [SOURCES files...] [EXCLUDE files...])
# Builds one static library from every source of the calling folder and its subfolders, or from
# the SOURCES given, leaving out the EXCLUDE ones (both relative to the calling folder).
function(kq_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;SYSTEM_DEPS;SOURCES;EXCLUDE" ${ARGN})
    if(ARG_SOURCES)
        list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
    else()
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
    endif()
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
    endforeach()
    if(NOT sources)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${KQ_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
endfunction()

# kq_test_suite(<label> DEPS libs...)
# One GoogleTest executable from every *_test.cpp of the calling folder; each test carries the
# CTest label of the library it tests.
function(kq_test_suite label)
    cmake_parse_arguments(ARG "" "" "DEPS;EXTRA_SOURCES" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(NOT sources)
        return()
    endif()
    set(exe test_${label})
    add_executable(${exe} ${sources} ${ARG_EXTRA_SOURCES})
    # The test macros expand into very large functions that full optimisation takes several times
    # longer to compile than the libraries they test; the libraries keep the build's optimisation.
    target_compile_options(${exe} PRIVATE ${KQ_WARNINGS} ${KQ_TEST_OPTIMIZATION})
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${exe} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
    kq_test_precompiled_headers(${exe} <gtest/gtest.h> <gmock/gmock.h>)
    gtest_discover_tests(${exe} PROPERTIES LABELS ${label} DISCOVERY_TIMEOUT 60)
endfunction()

# kq_test_precompiled_headers(<target> headers...)
# GoogleTest's headers, which every test source includes and which make most of what the
# compiler reads of it, are parsed once per test program instead of once per source.
function(kq_test_precompiled_headers target)
    target_precompile_headers(${target} PRIVATE ${ARGN})
endfunction()

# kq_bench(<name> SOURCES files... DEPS libs...)
# A Google Benchmark program; built with the rest, never run by the tests.
function(kq_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(bench_${name} ${ARG_SOURCES})
    target_compile_options(bench_${name} PRIVATE ${KQ_WARNINGS})
    target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
endfunction()

# kq_fuzz_target(<name> SOURCE file DEPS libs... [CORPUS dir])
# With clang the target is a libFuzzer program. Otherwise it is built with a small driver that
# replays the seed corpus, and that replay runs as a test so that the parsers meet hostile input
# in every build.
function(kq_fuzz_target name)
    cmake_parse_arguments(ARG "" "SOURCE;CORPUS;LABEL" "DEPS" ${ARGN})
    set(exe fuzz_${name})
    if(KQ_LIBFUZZER)
        add_executable(${exe} ${ARG_SOURCE})
        target_compile_options(${exe} PRIVATE -fsanitize=fuzzer)
        target_link_options(${exe} PRIVATE -fsanitize=fuzzer)
    else()
        add_executable(${exe} ${ARG_SOURCE} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    endif()
    target_compile_options(${exe} PRIVATE ${KQ_WARNINGS})
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${exe} PRIVATE ${ARG_DEPS})
    if(NOT KQ_LIBFUZZER)
        if(NOT ARG_LABEL)
            set(ARG_LABEL fuzz)
        endif()
        add_test(NAME fuzz_replay_${name}
                 COMMAND ${exe} ${ARG_CORPUS})
        set_tests_properties(fuzz_replay_${name} PROPERTIES LABELS "${ARG_LABEL}")
    endif()
endfunction()
