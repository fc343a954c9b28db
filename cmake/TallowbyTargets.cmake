# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by every target, and the helper that registers one test executable.

# Floating point must not depend on the optimiser: a percentage that sits exactly on a
# rounding half has to round the same way in every build.
add_compile_options(-ffp-contract=off)

if(TALLOWBY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
else()
    # The hardening Debian builds its packages with.
    add_compile_options(-fstack-protector-strong
                        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

function(tallowby_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
endfunction()

# tallowby_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [GUI] [LABELS l ...])
# GUI tests run on the offscreen platform with a private runtime folder, so they need no display.
function(tallowby_add_test)
    cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
    tallowby_warnings(${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(env "TZ=Europe/Berlin" "LC_ALL=C.UTF-8" "LANG=C.UTF-8")
    if(TALLOWBY_SANITIZE)
        # As scripts/test sets them, for a ctest run by hand too: a crash then stays a crash
        # (the help-viewer tests tell one from an error exit) instead of an exit with code 1.
        list(APPEND env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1"
             "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endif()
    if(T_GUI)
        set(runtime ${CMAKE_BINARY_DIR}/test-runtime/${T_NAME})
        file(MAKE_DIRECTORY ${runtime})
        file(CHMOD ${runtime} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
        # The one setting the program keeps goes to the test's own folder, never the user's.
        list(APPEND env "QT_QPA_PLATFORM=offscreen" "XDG_RUNTIME_DIR=${runtime}"
             "XDG_CONFIG_HOME=${runtime}/config")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}")
    if(T_TIMEOUT)
        set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    endif()
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
