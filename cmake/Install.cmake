# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts on a desktop system, and the Debian package
# made from it. Every install rule of the program lives here.

# One name for the desktop entry, the AppStream component and the icon, so the
# desktop can tie a running window to its menu entry and icon.
set(LUPREDA_APP_ID it.lupreda.lupreda)
target_compile_definitions(lupreda PRIVATE LUPREDA_APP_ID="${LUPREDA_APP_ID}")
set(LUPREDA_MAINTAINER "Lupreda developers <lupreda@lupreda.it>")
set(LUPREDA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/lupreda)

# Folders get the same permissions whatever the umask of whoever installs or
# packages.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# `sudo cmake --install build` leaves build/install_manifest.txt owned by
# root; the user's next installation, say into ~/.local, could not rewrite it.
# The build folder is the user's, so the stale list can go: it is written anew
# at the end of every installation.
install(CODE "file(REMOVE \"${CMAKE_BINARY_DIR}/install_manifest.txt\")")

install(TARGETS lupreda RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program finds its sound module at this place relative to itself.
install(TARGETS lupreda-sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lupreda)
# As Debian strips its packages' binaries: no compiler version strings either.
foreach(binary IN ITEMS
        ${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:lupreda>
        ${CMAKE_INSTALL_LIBDIR}/lupreda/$<TARGET_FILE_NAME:lupreda-sound>)
    install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${binary}\"
                  COMMAND_ERROR_IS_FATAL ANY)")
endforeach()

install(FILES resources/${LUPREDA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/${LUPREDA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon theme gets the SVG and, for desktops that want bitmaps, PNGs
# rendered from it at build time.
set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES resources/lupreda.svg
    DESTINATION ${hicolor}/scalable/apps RENAME ${LUPREDA_APP_ID}.svg)

set(icon_pngs)
foreach(size IN LISTS LUPREDA_ICON_SIZES)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${LUPREDA_APP_ID}.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
        COMMAND iconrender ${CMAKE_SOURCE_DIR}/resources/lupreda.svg ${png} ${size}
        DEPENDS iconrender ${CMAKE_SOURCE_DIR}/resources/lupreda.svg
        COMMENT "Rendering the ${size} px theme icon")
    install(FILES ${png} DESTINATION ${hicolor}/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(theme_icons ALL DEPENDS ${icon_pngs})

# The manual page, in English and in Italian, and the package's documents:
# the copyright and the changelog made from NEWS. gzip -n stores no name or
# time, so the same text gives the same bytes.
include(${CMAKE_CURRENT_LIST_DIR}/News.cmake)
lupreda_read_news(${CMAKE_SOURCE_DIR}/NEWS ${CMAKE_BINARY_DIR}/doc/changelog lupreda "${LUPREDA_MAINTAINER}")
set(compressed)
function(lupreda_gzip_later file)
    add_custom_command(
        OUTPUT ${file}.gz
        COMMAND gzip -9 -n -k -f ${file}
        DEPENDS ${file}
        COMMENT "Compressing ${file}")
    set(compressed ${compressed} ${file}.gz PARENT_SCOPE)
endfunction()
lupreda_gzip_later(${CMAKE_BINARY_DIR}/doc/changelog)
# The English page is the default one; man -L it, or an Italian locale, shows the other.
foreach(folder IN ITEMS man6 it/man6)
    set(page ${CMAKE_BINARY_DIR}/man/${folder}/lupreda.6)
    string(REPLACE "man6" "" language_folder ${folder})
    configure_file(${CMAKE_SOURCE_DIR}/resources/man/${language_folder}lupreda.6.in ${page} @ONLY)
    lupreda_gzip_later(${page})
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder})
endforeach()
add_custom_target(documents ALL DEPENDS ${compressed})
install(FILES resources/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${LUPREDA_DOCDIR})

# Debian package. Its library dependencies are read from the executable by
# dpkg-shlibdeps; only what no library link reveals is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lupreda)
set(CPACK_PACKAGE_VENDOR "Lupreda developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exercises on the alphabet and alphabetical order")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lupreda drills young pupils of the primary school in the alphabet: letter\n\
recognition, the letter sequence, and putting a list of words into\n\
alphabetical order. Its whole interface is in Italian.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUPREDA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for the metrics of Liberation Sans. Qt's own
# packages only recommend the plugin that draws on an X display, and without
# it the program cannot start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, qt6-qpa-plugins")
# The chime needs a sound server that speaks PulseAudio's protocol; without
# one the exercises run silently.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
set(CPACK_STRIP_FILES ON)
# The package's file times, and its archives' own, are the time of the last
# commit (or of the newest release in NEWS outside a git checkout), so two
# builds of one commit give the same bytes. cpack reads this file when it
# makes the package, so a new commit needs no new configure.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} @ONLY CONTENT [=[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(
        COMMAND git -c safe.directory=* -C "@CMAKE_SOURCE_DIR@" log -1 --format=%ct
        RESULT_VARIABLE status OUTPUT_VARIABLE epoch ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
        set(epoch @LUPREDA_RELEASE_EPOCH@)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
]=])
include(CPack)
