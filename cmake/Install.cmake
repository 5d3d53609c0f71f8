# Installing as a desktop program: the binary, its menu entry, its icon at the
# icon theme's sizes, its AppStream data and its manual page. The Debian
# package installs these same files; debian/ adds what a package carries.

include(GNUInstallDirs)

set(TARNELBY_APP_ID org.example.Tarnelby)
set(TARNELBY_ICON_SOURCE ${PROJECT_SOURCE_DIR}/resources/tarnelby.png)
set(TARNELBY_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TARNELBY_ICON_THEME ${PROJECT_BINARY_DIR}/icons/hicolor)

# The icon theme's sizes, rendered from the one drawn icon at build time.
add_executable(icon_sizes tools/IconSizes.cpp)
target_link_libraries(icon_sizes PRIVATE Qt6::Gui)
set(icon_files)
foreach(size IN LISTS TARNELBY_ICON_SIZES)
  list(APPEND icon_files ${TARNELBY_ICON_THEME}/${size}x${size}/apps/${TARNELBY_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND icon_sizes ${TARNELBY_ICON_SOURCE} ${TARNELBY_ICON_THEME} ${TARNELBY_APP_ID} ${TARNELBY_ICON_SIZES}
  DEPENDS icon_sizes ${TARNELBY_ICON_SOURCE}
  COMMENT "Rendering the icon at ${TARNELBY_ICON_SIZES} px"
  VERBATIM)
add_custom_target(icons ALL DEPENDS ${icon_files})

# The manual page and the AppStream data name the version and its release date.
configure_file(docs/tarnelby.6.in tarnelby.6 @ONLY)
configure_file(resources/${TARNELBY_APP_ID}.metainfo.xml.in ${TARNELBY_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tarnelby RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/${TARNELBY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${TARNELBY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TARNELBY_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_BINARY_DIR}/tarnelby.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
