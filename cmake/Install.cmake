# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts on a desktop system; the Debian package
# (debian/) is made from the same rules. Every install rule of the program
# lives here.

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

# The manual page, in English and in Italian, and the documents: the
# copyright and the changelog made from NEWS (the Debian package installs
# its own two copies of them, from debian/). gzip -n stores no name or
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
install(FILES debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${LUPREDA_DOCDIR})
