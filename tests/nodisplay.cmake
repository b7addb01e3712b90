# Runs the program where it can find no screen: it must end at once with a
# non-zero status, by itself rather than by a signal, and say why in one
# line on standard error.
#   cmake -DPROGRAM=<path to lupreda> -P nodisplay.cmake

unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

foreach(display IN ITEMS "" ":987")
    if(display STREQUAL "")
        set(name "no display at all")
        unset(ENV{DISPLAY})
    else()
        set(name "a display nobody serves")
        set(ENV{DISPLAY} "${display}")
    endif()
    execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    string(REGEX REPLACE "\n$" "" message "${err}")
    # A signal (an abort reads "Subprocess aborted") or a timeout gives text, not a number.
    if(NOT status MATCHES "^[0-9]+$" OR status EQUAL 0)
        message(FATAL_ERROR "${name}: status '${status}' (wanted a non-zero exit), stderr:\n${err}")
    endif()
    if(NOT message MATCHES "^lupreda: [^\n]+$")
        message(FATAL_ERROR "${name}: wanted one line 'lupreda: ...' on stderr, got:\n${err}")
    endif()
    message(STATUS "${name}: status ${status}: ${message}")
endforeach()
