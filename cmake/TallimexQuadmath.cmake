# libquadmath, which the engine uses for its 113-bit functions. The programs a user gets link it
# as a DLL, so that anyone can replace it with their own build of it (its licence, the LGPL,
# asks for that): libquadmath-0.dll and the GCC runtime DLL it imports go beside them. Every
# other library, and the test programs' libquadmath, stay static.
#
# The DLLs and their import library come from Debian's thread-model-free runtime packages
# (gcc-mingw-w64-<target>-win32-runtime): their libgcc_s needs no winpthread DLL, and libquadmath
# starts no threads. tallimex_link_quadmath_dll(target) makes a program import it.
#
# The import is delay-loaded: the DLLs load at the first call, once the program has started. On
# 32-bit Windows a program's start-up code registers its exception tables with libgcc_s's unwinder
# when that DLL is already loaded, instead of with its own, linked-in one, which then finds no
# tables: every C++ exception would end the program.
if(NOT WIN32)
    set(TALLIMEX_QUADMATH quadmath)
    return()
endif()

string(REPLACE "_" "-" runtime_target "${CMAKE_SYSTEM_PROCESSOR}")
set(TALLIMEX_RUNTIME_PACKAGE gcc-mingw-w64-${runtime_target}-win32-runtime)

function(tallimex_runtime_file name variable)
    execute_process(COMMAND ${TOOLCHAIN_PREFIX}-gcc-win32 -print-file-name=${name}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${name} not found (Debian: ${TALLIMEX_RUNTIME_PACKAGE})")
    endif()
    set(${variable} "${path}" PARENT_SCOPE)
endfunction()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(gcc_runtime_dll libgcc_s_seh-1.dll)
else()
    set(gcc_runtime_dll libgcc_s_dw2-1.dll)
endif()
set(TALLIMEX_GCC_RUNTIME_DLL ${gcc_runtime_dll})
tallimex_runtime_file(libquadmath-0.dll quadmath_dll)
tallimex_runtime_file(${gcc_runtime_dll} gcc_dll)
set(TALLIMEX_RUNTIME_DLLS "${quadmath_dll}" "${gcc_dll}")

# The delay-load import library, made from the DLL's export table.
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-objdump -p "${quadmath_dll}" OUTPUT_VARIABLE dll_headers)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" export_table "${dll_headers}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [A-Za-z0-9_]+" exports "${export_table}")
string(REGEX REPLACE "\\[ *[0-9]+\\] " "" exports "${exports}")
string(REPLACE ";" "\n" exports "${exports}")
set(quadmath_def "${CMAKE_BINARY_DIR}/generated/libquadmath.def")
set(TALLIMEX_QUADMATH_IMPORT "${CMAKE_BINARY_DIR}/generated/libquadmath.delay.a")
file(WRITE "${quadmath_def}" "LIBRARY libquadmath-0.dll\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-dlltool -d "${quadmath_def}" -y "${TALLIMEX_QUADMATH_IMPORT}"
    -D libquadmath-0.dll RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT exports)
    message(FATAL_ERROR "could not make the delay-load import library of ${quadmath_dll}")
endif()

# The version of the Debian package the DLLs come from and the source packages it was built from
# ("gcc-mingw-w64 25.2", and the GCC source it names as "gcc-12 (= 12.2.0-14)"), which the written
# offer of their source names.
execute_process(
    COMMAND dpkg-query -W "-f=\${Version}|\${source:Package} \${source:Version}|\${Built-Using}"
        ${TALLIMEX_RUNTIME_PACKAGE}
    OUTPUT_VARIABLE runtime_package RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TALLIMEX_RUNTIME_PACKAGE} is not installed")
endif()
string(REPLACE "|" ";" runtime_package "${runtime_package}")
list(GET runtime_package 0 TALLIMEX_RUNTIME_PACKAGE_VERSION)
list(GET runtime_package 1 TALLIMEX_RUNTIME_SOURCE)
list(GET runtime_package 2 built_using)
string(REGEX REPLACE "^([^ ]+) \\(= ([^)]+)\\)$" "\\1 \\2" TALLIMEX_RUNTIME_GCC_SOURCE "${built_using}")
string(REPLACE " " "=" source_request "${TALLIMEX_RUNTIME_SOURCE}")
string(REPLACE " " "=" gcc_request "${TALLIMEX_RUNTIME_GCC_SOURCE}")
set(TALLIMEX_RUNTIME_SOURCE_REQUEST "${source_request} ${gcc_request}")

# Evaluated for each program that links the engine: the import library where the program asks for
# the DLL, the static library otherwise.
set(TALLIMEX_QUADMATH
    "$<IF:$<BOOL:$<TARGET_PROPERTY:TALLIMEX_QUADMATH_DLL>>,${TALLIMEX_QUADMATH_IMPORT},quadmath>")

function(tallimex_link_quadmath_dll target)
    set_target_properties(${target} PROPERTIES TALLIMEX_QUADMATH_DLL ON)
endfunction()

# Beside the programs in the distribution folder, as in the packages.
file(COPY ${TALLIMEX_RUNTIME_DLLS} DESTINATION "${TALLIMEX_DIST_DIR}")
