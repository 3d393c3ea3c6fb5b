# Installation, desktop integration and the Debian package.
include(GNUInstallDirs)

set(KURVANTO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KURVANTO_ICON_SOURCE ${PROJECT_SOURCE_DIR}/app/resources/icon_main.xpm)

if(TARGET kurvanto)
  install(TARGETS kurvanto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kurvanto-cli)
  install(TARGETS kurvanto-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/dist/kurvanto.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/kurvanto.1 ${PROJECT_SOURCE_DIR}/dist/kurvanto-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvanto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kurvanto developers <kurvanto@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plotter of functions of one variable")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins, fonts-liberation2, libc6, libstdc++6")
include(CPack)
