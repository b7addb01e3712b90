# Checks what Lupreda installs. Run with cmake -P and -DMODE=
#   install  `cmake --install` into a scratch prefix, then check the tree
#   package  build the Debian package, unpack it with dpkg -x, check the tree
#            and the package's fields
#   release  the AppStream metadata announces the project's version
# Other variables: BUILD_DIR, WORK_DIR (scratch, emptied first), EXPECTED (the
# list of files, one per line, relative to the prefix), BINDIR, MODULE_DIR
# (where the program looks for its sound module, relative to BINDIR), VERSION,
# CPACK, METAINFO.

function(fail)
    string(JOIN "" text ${ARGN})
    message(FATAL_ERROR "${text}")
endfunction()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        string(JOIN " " command ${ARGN})
        fail("${command} failed (${rc}):\n${out}")
    endif()
endfunction()

# A PNG's size is in its header chunk, right after the signature.
function(check_png file size)
    file(READ ${file} header HEX LIMIT 24)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        fail("${file} is not a PNG")
    endif()
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        fail("${file} is ${width}x${height} pixels, not ${size}x${size}")
    endif()
endfunction()

# The program must start and keep running: killed by the timeout means it was
# up, showing its chooser offscreen.
function(check_starts program)
    execute_process(COMMAND test -x ${program} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        fail("${program} is not executable")
    endif()
    set(ENV{QT_QPA_PLATFORM} offscreen)
    execute_process(COMMAND ${program} TIMEOUT 3 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc MATCHES "timeout")
        fail("${program} ended at start (${rc}):\n${out}")
    endif()
endfunction()

function(check_tree prefix)
    file(STRINGS ${EXPECTED} expected)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${prefix} ${prefix}/*)
    list(SORT expected)
    list(SORT found)
    if(NOT found STREQUAL expected)
        set(missing ${expected})
        list(REMOVE_ITEM missing ${found})
        set(unexpected ${found})
        list(REMOVE_ITEM unexpected ${expected})
        fail("${prefix}\n  missing: ${missing}\n  not expected: ${unexpected}")
    endif()
    foreach(file IN LISTS found)
        if(file MATCHES "/hicolor/([0-9]+)x([0-9]+)/apps/[^/]+\\.png$")
            check_png(${prefix}/${file} ${CMAKE_MATCH_1})
        elseif(file MATCHES "^bin/")
            check_starts(${prefix}/${file})
        endif()
    endforeach()
    # Without its module the program would run, but mute.
    if(NOT EXISTS ${prefix}/${BINDIR}/${MODULE_DIR}/lupreda-sound.so)
        fail("the program looks for its sound module in ${BINDIR}/${MODULE_DIR}, which has none")
    endif()
endfunction()

function(check_package_field deb field pattern)
    execute_process(COMMAND dpkg-deb -f ${deb} ${field} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT value MATCHES "${pattern}")
        fail("${field} of ${deb} is '${value}', expected to match '${pattern}'")
    endif()
endfunction()

if(MODE STREQUAL "release")
    file(READ ${METAINFO} metainfo)
    if(NOT metainfo MATCHES "<release version=\"${VERSION}\" date=\"[0-9-]+\"")
        fail("${METAINFO} has no <release> for version ${VERSION}")
    endif()
    return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

if(MODE STREQUAL "install")
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
    check_tree(${WORK_DIR}/prefix)
elseif(MODE STREQUAL "package")
    # The package and cpack's staging area go to the scratch directory only.
    run(${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR})
    file(GLOB deb ${WORK_DIR}/lupreda_${VERSION}_*.deb)
    if(NOT deb)
        fail("cpack made no lupreda_${VERSION}_*.deb in ${WORK_DIR}")
    endif()
    run(dpkg-deb -x ${deb} ${WORK_DIR}/root)
    file(GLOB top RELATIVE ${WORK_DIR}/root ${WORK_DIR}/root/*)
    if(NOT top STREQUAL "usr")
        fail("${deb} installs outside /usr: ${top}")
    endif()
    check_tree(${WORK_DIR}/root/usr)
    # The metadata must find its desktop entry and icon in the installed tree.
    run(appstreamcli validate-tree --no-net ${WORK_DIR}/root)
    check_package_field(${deb} Package "^lupreda$")
    check_package_field(${deb} Version "^${VERSION}$")
    check_package_field(${deb} Section "^education$")
    # Versioned library dependencies are what dpkg-shlibdeps writes.
    foreach(library libc6 libqt6core6 libqt6gui6 libqt6widgets6 libpulse0)
        check_package_field(${deb} Depends "(^|, )${library} \\(>= [^)]+\\)")
    endforeach()
    check_package_field(${deb} Depends "(^|, )fonts-liberation(,|$)")
else()
    fail("unknown MODE '${MODE}'")
endif()
