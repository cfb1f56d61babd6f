# SPDX-License-Identifier: MIT
# What keeps the build quick on a small machine without changing what it builds.

# Qt's widget headers take each source that includes them some three seconds to parse: a Qt
# target parses them once, as a precompiled header. Every source still includes what it uses.
option(VOLTIVA_PRECOMPILE "Precompile the Qt and standard headers of the Qt targets" ON)
set(VOLTIVA_WIDGET_HEADERS
    <QApplication> <QComboBox> <QGridLayout> <QHBoxLayout> <QLabel> <QLineEdit> <QPushButton>
    <QTableWidget> <QVBoxLayout> <QWidget>
    <algorithm> <functional> <memory> <optional> <string> <vector>)

function(voltiva_precompile target)
    if(VOLTIVA_PRECOMPILE)
        target_precompile_headers(${target} PRIVATE ${VOLTIVA_WIDGET_HEADERS} ${ARGN})
    endif()
endfunction()

# GoogleTest's header takes a test source a second to parse: a test target of many sources without
# Qt parses it once, with the standard headers its tables use.
function(voltiva_precompile_tests target)
    if(VOLTIVA_PRECOMPILE)
        target_precompile_headers(${target} PRIVATE <gtest/gtest.h>
            <algorithm> <cmath> <random> <sstream> <string> <vector>)
    endif()
endfunction()

# The program's debug information is line tables: enough for a backtrace with files and lines,
# and full variable information made a Qt source take 65 % longer to compile. A Debug build still
# has all of it.
target_compile_options(voltiva_settings INTERFACE $<$<CONFIG:RelWithDebInfo>:-g1>)

# The tests' own code is checks and tables, whose optimisation buys nothing but compile time
# (GoogleTest's macros at -O2 -g cost twice what they do at -O1 -g1); the code under test keeps
# the flags it ships with.
function(voltiva_quick_test_code target)
    if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release)$")
        target_compile_options(${target} PRIVATE -O1 -g1)
    endif()
endfunction()

# The sanitizer build compiles at -O0, where the instrumentation costs a third of what it does at
# -O1, apart from the code that computes: a search there must stay within its budget as it does
# in the program.
function(voltiva_computes target)
    if(VOLTIVA_SANITIZE)
        target_compile_options(${target} PRIVATE -O1)
    endif()
endfunction()

# Every test is a process of its own: a test program without Qt is linked at a fixed address
# under the sanitizers, which spares each start half a million relocations. (Qt's programs stay
# position-independent: Qt compares the addresses of functions across libraries.)
function(voltiva_quick_test_start target)
    if(VOLTIVA_SANITIZE)
        target_link_options(${target} PRIVATE -no-pie)
    endif()
endfunction()
