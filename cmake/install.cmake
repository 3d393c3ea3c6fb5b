# SPDX-License-Identifier: GPL-3.0-or-later
# Installation, desktop integration and the Debian package.
include(GNUInstallDirs)

# The AppStream id, the desktop file's name and the metainfo's name are one id, provisional
# until the project has a home of its own.
set(KURVANTO_APP_ID org.kurvanto.Kurvanto)
set(KURVANTO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KURVANTO_ICON_SOURCE ${PROJECT_SOURCE_DIR}/resources/icon_main.xpm)
set(KURVANTO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(KURVANTO_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kurvanto)

if(TARGET kurvanto)
  install(TARGETS kurvanto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kurvanto-cli)
  install(TARGETS kurvanto-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/dist/${KURVANTO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The worksheets' MIME type, application/x-kurvanto-worksheet (*.kurv).
install(FILES ${PROJECT_SOURCE_DIR}/dist/${KURVANTO_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The metainfo carries the release from project(); the test suite validates the result.
configure_file(${PROJECT_SOURCE_DIR}/dist/${KURVANTO_APP_ID}.metainfo.xml.in
               ${KURVANTO_DIST_DIR}/${KURVANTO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${KURVANTO_DIST_DIR}/${KURVANTO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog, stamped with the version and compressed as Debian wants
# them (gzip -9n: best compression, no name or time stamp, so that builds are reproducible).
find_program(KURVANTO_GZIP gzip REQUIRED)
set(KURVANTO_MAN_PAGES kurvanto.1 kurvanto-cli.1)
set(dist_outputs)
foreach(page ${KURVANTO_MAN_PAGES})
  add_custom_command(
    OUTPUT ${KURVANTO_DIST_DIR}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -DMODE=man -DSRC=${PROJECT_SOURCE_DIR}/dist/${page}
            -DDST=${KURVANTO_DIST_DIR}/${page}.gz -DVERSION=${PROJECT_VERSION}
            -DGZIP=${KURVANTO_GZIP} -P ${PROJECT_SOURCE_DIR}/dist/stamp.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/dist/${page} ${PROJECT_SOURCE_DIR}/dist/stamp.cmake
    COMMENT "Stamping and compressing the manual page ${page}"
    VERBATIM)
  list(APPEND dist_outputs ${KURVANTO_DIST_DIR}/${page}.gz)
endforeach()
add_custom_command(
  OUTPUT ${KURVANTO_DIST_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DMODE=text -DSRC=${PROJECT_SOURCE_DIR}/dist/changelog.in
          -DDST=${KURVANTO_DIST_DIR}/changelog.gz -DVERSION=${PROJECT_VERSION}
          -DGZIP=${KURVANTO_GZIP} -P ${PROJECT_SOURCE_DIR}/dist/stamp.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog.in ${PROJECT_SOURCE_DIR}/dist/stamp.cmake
  COMMENT "Stamping and compressing the changelog"
  VERBATIM)
list(APPEND dist_outputs ${KURVANTO_DIST_DIR}/changelog.gz)
add_custom_target(distfiles ALL DEPENDS ${dist_outputs})

list(TRANSFORM KURVANTO_MAN_PAGES PREPEND ${KURVANTO_DIST_DIR}/ OUTPUT_VARIABLE man_gz)
list(TRANSFORM man_gz APPEND .gz)
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KURVANTO_DIST_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/dist/copyright
        DESTINATION ${KURVANTO_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/kurvanto.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME kurvanto)

if(KURVANTO_GUI AND EXISTS ${KURVANTO_ICON_SOURCE})
  add_executable(icongen ${PROJECT_SOURCE_DIR}/dist/icongen.cpp)
  target_link_libraries(icongen PRIVATE Qt6::Gui)
  set_target_properties(icongen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
  set(icon_outputs)
  foreach(size ${KURVANTO_ICON_SIZES})
    list(APPEND icon_outputs ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/kurvanto.png)
  endforeach()
  add_custom_command(
    OUTPUT ${icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:icongen>
            ${KURVANTO_ICON_SOURCE} ${CMAKE_BINARY_DIR}/icons ${KURVANTO_ICON_SIZES}
    DEPENDS icongen ${KURVANTO_ICON_SOURCE}
    COMMENT "Writing the icon at the hicolor sizes")
  add_custom_target(icons ALL DEPENDS ${icon_outputs})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# The Debian package: cd build && cpack -G DEB gives kurvanto_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvanto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# example.org is the domain reserved for documentation: it stands until the project has a
# home of its own.
set(CPACK_PACKAGE_CONTACT "Kurvanto developers <kurvanto@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plotter of functions of one variable")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kurvanto (Курванто) draws the graph of a formula in x on a picture of a fixed
size: the formula is typed with a decimal comma, the build button draws the
axes and the curve, and points where the formula has no value are left out.
The interface is in Russian.

Sixteen functions and the constants pi and e are at hand; a properties dialog
sets the field size, the ranges, the samples per pixel and the colours. Tick
marks, corners and text labels go on the picture, which is saved to a file or
copied to the clipboard.

The package also contains kurvanto-cli, a command-line tool that checks,
evaluates and plots formulas without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6printsupport6 (>= 6.4), qt6-qpa-plugins, fonts-liberation2, libc6, libstdc++6")
# Binaries go into the package stripped; no debug package is made.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE OFF)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
