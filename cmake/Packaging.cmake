# Installing as a desktop program, and the Debian package made from that.

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

install(TARGETS tarnelby RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/${TARNELBY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/${TARNELBY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TARNELBY_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnelby)
set(CPACK_PACKAGE_VENDOR example.org)
set(CPACK_PACKAGE_CONTACT "Tarnelby developers <tarnelby@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "play the chaos game and watch its figure appear")
set(CPACK_PACKAGE_DESCRIPTION
  "Click two to ten points and press Begin: a timer rolls a die over the chosen
points, moves half-way towards the rolled point and plots a white dot there.
Three points in the form of a triangle build up the Sierpinski triangle.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.example.org/tarnelby/)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# The libraries it links are found by dpkg-shlibdeps; the window also needs
# Qt's platform plugins (a recommendation of Qt's, not a dependency) and the
# fonts its layout is drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
