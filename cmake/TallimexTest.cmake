# Test executables: one CTest test per executable, so that under Wine each starts once.
if(WIN32)
    find_package(GTest REQUIRED CONFIG PATHS "${TALLIMEX_DEPS}/${CMAKE_SYSTEM_PROCESSOR}/gtest"
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
else()
    find_package(GTest REQUIRED)
endif()

# scripts/wine-run exits with this code when the machine cannot run the program (a 32-bit
# build where the kernel runs no 32-bit code): such a test is skipped, not passed or failed.
set(TALLIMEX_SKIP_RETURN_CODE 77)

# tallimex_skippable(test...): marks tests that run a Windows program through scripts/wine-run.
function(tallimex_skippable)
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${ARGN} PROPERTIES SKIP_RETURN_CODE ${TALLIMEX_SKIP_RETURN_CODE})
    endif()
endfunction()

# tallimex_add_test(NAME name SOURCES files... LIBS libraries...)
function(tallimex_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${ARG_NAME} PRIVATE
        TALLIMEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        TALLIMEX_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_brief=1)
    tallimex_skippable(${ARG_NAME})
endfunction()
