# What `cmake --install` puts on a desktop system, and the Debian package
# made from it. Every install rule of the program lives here.

# One name for the desktop entry, the AppStream component and the icon, so the
# desktop can tie a running window to its menu entry and icon.
set(LUPREDA_APP_ID it.lupreda.lupreda)
set(LUPREDA_ICON_SIZES 16 32 48 64 128 256)
target_compile_definitions(lupreda PRIVATE LUPREDA_APP_ID="${LUPREDA_APP_ID}")

install(TARGETS lupreda RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program finds its sound module at this place relative to itself.
install(TARGETS lupreda-sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lupreda)

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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lupreda developers <lupreda@lupreda.it>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lupreda.it/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for the metrics of Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_STRIP_FILES ON)
include(CPack)
