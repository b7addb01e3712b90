# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what Lupreda installs. Run with cmake -P and -DMODE=
#   install  `cmake --install` into a scratch prefix, then check the tree
#   package  unpack the Debian package with dpkg -x, check the tree, the
#            package's fields and the software catalogue composed from it
#   lintian  lintian on the packages' .changes must report no error, warning
#            or info, and hardening-check must pass their binaries
#   metainfo appstreamcli validate --pedantic on the AppStream metadata
#   release  the AppStream metadata, NEWS and the Debian changelog made from
#            it announce the project's version, and debian/changelog is that
#            changelog
# Other variables: BUILD_DIR, WORK_DIR (scratch, emptied first), EXPECTED (the
# list of files, one per line, relative to the prefix), BINDIR, MODULE_DIR
# (where the program looks for its sound module, relative to BINDIR), VERSION,
# PACKAGE_DIR (where build-package.sh left the packages), METAINFO,
# NEWS_VERSION and NEWS_DATE (NEWS's newest release), CHANGELOG,
# DEBIAN_CHANGELOG; the environment's FORTIFY_PROBE.

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

# AppStream 1.0 warns of a component without a homepage, which Lupreda has
# none to name; it lets that warning be lowered to a pedantic note. Sets
# out_var to the option that does so, empty on AppStream 0.16, and
# version_var to appstreamcli's own version line.
function(no_homepage_note out_var version_var)
    execute_process(COMMAND appstreamcli --version OUTPUT_VARIABLE appstream)
    set(option)
    if(NOT appstream MATCHES "version: 0\\.")
        set(option --override=url-homepage-missing=pedantic)
    endif()
    set(${out_var} ${option} PARENT_SCOPE)
    set(${version_var} "${appstream}" PARENT_SCOPE)
endfunction()

# The program must start and keep running: ended by the timeout (124) means
# it was up, showing its chooser offscreen. coreutils' timeout ends it, and
# kills it if need be: execute_process's own TIMEOUT leaves the child running
# on some CMake releases (3.31).
function(check_starts program)
    execute_process(COMMAND test -x ${program} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        fail("${program} is not executable")
    endif()
    set(ENV{QT_QPA_PLATFORM} offscreen)
    execute_process(COMMAND timeout --kill-after=5 3 ${program}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 124)
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

# Skipped where a tool is missing, outside scripts/test: the test's
# SKIP_REGULAR_EXPRESSION reads the line.
function(require_tools)
    foreach(tool IN LISTS ARGN)
        find_program(found_${tool} ${tool})
        if(NOT found_${tool})
            if("$ENV{LUPREDA_REQUIRE_REAL_STACK}" STREQUAL "1")
                fail("${tool} is not installed (scripts/setup installs it)")
            endif()
            message("SKIPPED: ${tool} is not installed")
            set(skip TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

# The package dpkg-buildpackage made (build-package.sh), and its .changes.
function(find_package_file out pattern)
    file(GLOB found ${PACKAGE_DIR}/${pattern})
    if(NOT found)
        fail("no ${pattern} in ${PACKAGE_DIR}: the test debian_source_package makes it")
    endif()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# The catalogue software centres read, composed as Debian's archive does:
# each language's description whole, with its own list.
function(check_catalogue root)
    if(NOT EXISTS /usr/libexec/appstreamcli-compose)
        if("$ENV{LUPREDA_REQUIRE_REAL_STACK}" STREQUAL "1")
            fail("appstream-compose is not installed (scripts/setup installs it)")
        endif()
        message("Not composing the catalogue: appstream-compose is not installed")
        return()
    endif()
    run(appstreamcli compose --no-net --origin=lupreda --result-root=${WORK_DIR}/catalogue ${root})
    file(GLOB_RECURSE xml ${WORK_DIR}/catalogue/*.xml.gz)
    execute_process(COMMAND gzip -dc ${xml} OUTPUT_VARIABLE catalogue)
    string(REGEX MATCH "<description>.*</description>[ \n]*<description xml:lang=\"it\">.*</description>" both "${catalogue}")
    if(NOT both)
        fail("the composed catalogue lacks an English and an Italian description:\n${catalogue}")
    endif()
    string(FIND "${both}" "<description xml:lang=\"it\">" italian_start)
    string(SUBSTRING "${both}" 0 ${italian_start} english)
    string(SUBSTRING "${both}" ${italian_start} -1 italian)
    foreach(item IN ITEMS "Letter recognition" "Letter sequence" "Word ordering")
        if(NOT english MATCHES "<li>${item}:")
            fail("the English description lacks the item '${item}':\n${english}")
        endif()
    endforeach()
    foreach(item IN ITEMS "Riconoscere le lettere" "Mettere in sequenza le lettere" "Ordinamento alfabetico")
        if(NOT italian MATCHES "<li>${item}:")
            fail("the Italian description lacks the item '${item}':\n${italian}")
        endif()
        if(english MATCHES "${item}")
            fail("the English description shows the Italian item '${item}':\n${english}")
        endif()
    endforeach()
    if(NOT catalogue MATCHES "<lang percentage=\"100\">it</lang>")
        fail("the catalogue does not show the interface as wholly Italian:\n${catalogue}")
    endif()
endfunction()

if(MODE STREQUAL "metainfo")
    # Pedantic validation, on AppStream 0.16 (Debian 12) and 1.0 (Debian 13
    # on): no issue at all, but for two that come from the release of
    # AppStream, not from the file. 0.16 does not know the <developer>
    # element 1.0 asks for; and there is no homepage to name, which 1.0
    # warns of, and lets a component without one lower to a pedantic note.
    no_homepage_note(no_homepage appstream)
    execute_process(COMMAND appstreamcli validate --pedantic --no-net ${no_homepage} ${METAINFO}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    message("${appstream}${out}")
    string(REGEX MATCHALL "(^|\n)[EWIP]: [^\n]*" issues "${out}")
    foreach(issue IN LISTS issues)
        string(STRIP "${issue}" issue)
        if(issue MATCHES "^P: [^ ]+: url-homepage-missing$")
        elseif(issue MATCHES "^I: [^ ]+: unknown-tag developer$" AND appstream MATCHES "version: 0\\.")
        else()
            fail("appstreamcli reports: ${issue}")
        endif()
    endforeach()
    if(NOT rc EQUAL 0)
        fail("appstreamcli validate failed (${rc})")
    endif()
    return()
endif()

if(MODE STREQUAL "release")
    file(READ ${METAINFO} metainfo)
    if(NOT metainfo MATCHES "<release version=\"${VERSION}\" date=\"([0-9-]+)\"")
        fail("${METAINFO} has no <release> for version ${VERSION}")
    endif()
    set(metainfo_date ${CMAKE_MATCH_1})
    if(NOT NEWS_VERSION STREQUAL VERSION OR NOT NEWS_DATE STREQUAL metainfo_date)
        fail("NEWS's newest release is ${NEWS_VERSION} of ${NEWS_DATE}, the AppStream metadata's ${VERSION} of ${metainfo_date}")
    endif()
    # NEWS is the one list of releases: the source package's changelog is
    # the one made from it, word for word.
    file(READ ${CHANGELOG} made)
    file(READ ${DEBIAN_CHANGELOG} kept)
    if(NOT made STREQUAL kept)
        fail("${DEBIAN_CHANGELOG} is not what NEWS gives; after changing NEWS, copy ${CHANGELOG} there")
    endif()
    # The changelog of the package must be one Debian's tools read.
    execute_process(COMMAND dpkg-parsechangelog -l ${CHANGELOG} -S Version
        OUTPUT_VARIABLE changelog_version ERROR_VARIABLE warnings OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT changelog_version STREQUAL VERSION OR warnings)
        fail("${CHANGELOG} gives version '${changelog_version}', expected ${VERSION}:\n${warnings}")
    endif()
    return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

if(MODE STREQUAL "install")
    run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
    check_tree(${WORK_DIR}/prefix)
elseif(MODE STREQUAL "package")
    find_package_file(deb lupreda_${VERSION}_*.deb)
    run(dpkg-deb -x ${deb} ${WORK_DIR}/root)
    file(GLOB top RELATIVE ${WORK_DIR}/root ${WORK_DIR}/root/*)
    if(NOT top STREQUAL "usr")
        fail("${deb} installs outside /usr: ${top}")
    endif()
    check_tree(${WORK_DIR}/root/usr)
    # The metadata must find its desktop entry and icon in the installed tree.
    no_homepage_note(no_homepage appstream)
    run(appstreamcli validate-tree --no-net ${no_homepage} ${WORK_DIR}/root)
    check_package_field(${deb} Package "^lupreda$")
    check_package_field(${deb} Version "^${VERSION}$")
    check_package_field(${deb} Section "^education$")
    check_package_field(${deb} Priority "^optional$")
    check_package_field(${deb} Recommends "^pulseaudio \\| pipewire-pulse$")
    # A placeholder address would send a technician nowhere.
    check_package_field(${deb} Homepage "^$")
    check_catalogue(${WORK_DIR}/root)
    # Versioned library dependencies are what dpkg-shlibdeps writes (Qt's
    # core library is libqt6core6t64 from Debian 13 on).
    foreach(library libc6 libqt6core6 libqt6gui6 libqt6widgets6 libpulse0)
        check_package_field(${deb} Depends "(^|, )${library}(t64)? \\(>= [^)]+\\)")
    endforeach()
    check_package_field(${deb} Depends "(^|, )fonts-liberation(,|$)")
    check_package_field(${deb} Depends "(^|, )qt6-qpa-plugins(,|$)")
    check_package_field(${deb} Depends "(^|, )qt6-translations-l10n(,|$)")
elseif(MODE STREQUAL "lintian")
    require_tools(lintian hardening-check)
    if(skip)
        return()
    endif()
    find_package_file(deb lupreda_${VERSION}_*.deb)
    find_package_file(changes lupreda_${VERSION}_*.changes)
    # Info tags too: the hardening ones (bind-now, fortified functions) are
    # infos. Pedantic and experimental ones are shown, not failed on. The
    # Standards-Version is the one unstable's lintian knows, so an older
    # release's lintian finds it newer than its own: that warning is
    # allowed. So is the later releases' info that the sound module calls no
    # fortified function: it makes no call that fortification protects, and
    # the probe below shows the flags fortify what they can.
    execute_process(
        COMMAND lintian --info --pedantic --display-experimental --show-overrides ${changes}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    message("lintian ${changes}: status ${rc}\n${out}${err}")
    string(REGEX MATCHALL "(^|\n)[EWI]: [^\n]*" issues "${out}")
    foreach(issue IN LISTS issues)
        if(NOT issue MATCHES "^\n?(W: lupreda source: newer-standards-version |I: lupreda: hardening-no-fortify-functions \\[[^]]*/lupreda-sound.so\\]$)")
            fail("lintian reports on ${changes}:\n${out}${err}")
        endif()
    endforeach()
    if(rc GREATER 1 OR err MATCHES "(^|\n)[a-z]*[Ee]rror")
        fail("lintian failed (status ${rc}):\n${err}")
    endif()

    run(dpkg-deb -x ${deb} ${WORK_DIR}/root)
    file(GLOB_RECURSE binaries ${WORK_DIR}/root/usr/bin/* ${WORK_DIR}/root/usr/lib/*.so)
    # Control flow integrity is left out: Debian 12's C library start files
    # carry no CET property, so no program linked on Debian 12 gets it.
    # Fortification shows only where a copy's destination has a size the
    # compiler knows; the program's only copies are inside Qt's and the
    # standard library's containers, into heap buffers, so hardening-check
    # finds no protectable call to judge. The probe, built with the same flags,
    # shows that such calls are protected.
    # Branch protection (BTI and PAC) exists on arm64 alone; the
    # hardening-check of Debian 13 on asks it of every machine, and Debian
    # 12's does not know the option that leaves it out.
    set(not_checked --nocfprotection)
    execute_process(COMMAND hardening-check --help OUTPUT_VARIABLE help ERROR_VARIABLE help)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(help MATCHES "--nobranchprotection" AND NOT arch STREQUAL "arm64")
        list(APPEND not_checked --nobranchprotection)
    endif()
    foreach(binary IN LISTS binaries)
        execute_process(COMMAND hardening-check ${not_checked} --nofortify ${binary}
            RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
        message("${out}")
        if(NOT rc EQUAL 0)
            fail("hardening-check fails ${binary}:\n${out}")
        endif()
    endforeach()
    execute_process(COMMAND hardening-check ${not_checked} $ENV{FORTIFY_PROBE}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    message("${out}")
    if(NOT rc EQUAL 0 OR NOT out MATCHES "Fortify Source functions: yes")
        fail("the project's flags do not fortify a copy of known size:\n${out}")
    endif()
else()
    fail("unknown MODE '${MODE}'")
endif()
