# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program where it can find no screen: it must end at once with a
# non-zero status, by itself rather than by a signal, and say why in one
# line on standard error, with Qt's own reason in it.
#   cmake -DPROGRAM=<path to lupreda> -P nodisplay.cmake

# run(<name> <wanted regex> VAR=value...): the program with only the given
# screen variables set.
function(run name wanted)
    foreach(variable IN ITEMS DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE)
        unset(ENV{${variable}})
    endforeach()
    foreach(setting IN LISTS ARGN)
        string(REGEX MATCH "^([^=]+)=(.*)$" _ "${setting}")
        set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
    endforeach()
    # coreutils' timeout, not execute_process's TIMEOUT, which leaves the
    # child running on some CMake releases.
    execute_process(COMMAND timeout --kill-after=5 60 ${PROGRAM}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(REGEX REPLACE "\n$" "" all "${err}")
    # A signal (an abort reads "Subprocess aborted") gives text, not a number.
    if(NOT status MATCHES "^[0-9]+$" OR status EQUAL 0 OR status EQUAL 124 OR status EQUAL 137)
        message(FATAL_ERROR "${name}: status '${status}' (wanted a non-zero exit, not a timeout), stderr:\n${err}")
    endif()
    # The program's own line is the last; a platform plugin may print lines
    # of its own before it (Qt's Wayland plugin does, where it is installed).
    string(FIND "${all}" "\n" last_break REVERSE)
    math(EXPR message_start "${last_break} + 1")
    string(SUBSTRING "${all}" ${message_start} -1 message)
    string(SUBSTRING "${all}" 0 ${message_start} before)
    if(NOT message MATCHES "^lupreda: [^\n]+$" OR before MATCHES "(^|\n)lupreda")
        message(FATAL_ERROR "${name}: wanted one line 'lupreda: ...' on stderr, last, got:\n${err}")
    endif()
    if(before)
        message(STATUS "${name}: Qt's own lines before it:\n${before}")
    endif()
    if(NOT message MATCHES "${wanted}")
        message(FATAL_ERROR "${name}: wanted the line to match '${wanted}', got:\n${err}")
    endif()
    message(STATUS "${name}: status ${status}: ${message}")
    set(last "${message}" PARENT_SCOPE)
endfunction()

run("no display at all" "DISPLAY e WAYLAND_DISPLAY non sono impostate.*could not connect to display")
run("a display nobody serves" "\\(DISPLAY=:987\\).*could not connect to display :987" DISPLAY=:987)

# A Wayland desktop whose compositor this program cannot reach: without
# qt6-wayland Qt cannot even try, and the line must say which package is
# missing; with it, Qt's own complaint about the connection is kept.
foreach(how IN ITEMS "by its session" "by QT_QPA_PLATFORM")
    if(how STREQUAL "by its session")
        set(chosen XDG_SESSION_TYPE=wayland)
    else()
        set(chosen QT_QPA_PLATFORM=wayland)
    endif()
    run("Wayland chosen ${how}" "WAYLAND_DISPLAY=lupreda-test-nobody.*[Ww]ayland"
        WAYLAND_DISPLAY=lupreda-test-nobody ${chosen})
    if(last MATCHES "Could not find the Qt platform plugin \"wayland\"" AND NOT last MATCHES "pacchetto qt6-wayland")
        message(FATAL_ERROR "Wayland chosen ${how}: the line does not name the package qt6-wayland:\n${last}")
    endif()
endforeach()
