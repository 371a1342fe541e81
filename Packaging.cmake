# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package that CPack
# makes of it (`make package`).
include(GNUInstallDirs)

set(KAVREL_ID org.kavrel.Kavrel)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/data)

configure_file(data/${KAVREL_ID}.metainfo.xml.in ${generated}/${KAVREL_ID}.metainfo.xml @ONLY)

# Manual pages and the changelog go in gzip'd, reproducibly (no name, no
# time stamp in the header).
find_program(GZIP gzip REQUIRED)
function(kavrel_gzipped source output)
    configure_file(${source} ${generated}/${output} @ONLY)
    add_custom_command(OUTPUT ${generated}/${output}.gz
        COMMAND ${GZIP} -9nkf ${generated}/${output}
        DEPENDS ${source} VERBATIM)
    list(APPEND KAVREL_GZIPPED ${generated}/${output}.gz)
    set(KAVREL_GZIPPED ${KAVREL_GZIPPED} PARENT_SCOPE)
endfunction()
kavrel_gzipped(data/kavrel.1.in kavrel.1)
kavrel_gzipped(data/kavrel.ja.1.in ja/kavrel.1)
kavrel_gzipped(data/changelog.in changelog)
add_custom_target(kavrel_gzipped ALL DEPENDS ${KAVREL_GZIPPED})

install(TARGETS kavrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${KAVREL_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${KAVREL_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 22 32 48 64 128 256)
    install(FILES data/icons/${size}x${size}/kavrel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/kavrel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${generated}/kavrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/ja/kavrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
install(FILES data/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kavrel developers <kavrel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching program that draws conics from a line and a focus")
set(CPACK_PACKAGE_DESCRIPTION "Kavrel is a teaching program about second-order curves, in one window
with Japanese texts. The learner enters a fixed line, a fixed point F and
a ratio PF : PH on an on-screen keypad, then clicks on a coordinate plane:
each click places P, finds the foot H of its perpendicular on the line,
draws F-P-H and shows the measured ratio and its error. Points whose error
is below 0.05 stay as dots, so the parabola, ellipse or hyperbola appears
dot by dot.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-dejavu-extra")
# Qt's Wayland platform: without it the window goes through XWayland on a
# Wayland desktop, and Qt warns of the missing plugin at every start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
