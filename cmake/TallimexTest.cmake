# Test executables: one CTest test per executable, so that under Wine each starts once.
if(WIN32)
    find_package(GTest REQUIRED CONFIG PATHS "${TALLIMEX_DEPS}/gtest-mingw" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
else()
    find_package(GTest REQUIRED)
endif()

# tallimex_add_test(NAME name SOURCES files... LIBS libraries...)
function(tallimex_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${ARG_NAME} PRIVATE
        TALLIMEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        TALLIMEX_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_brief=1)
endfunction()
