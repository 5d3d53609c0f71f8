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

# The manual page, the changelog and the AppStream data name the project's
# version and release date.
execute_process(
  COMMAND date --utc --rfc-email --date "${TARNELBY_RELEASE_DATE} 12:00 UTC"
  OUTPUT_VARIABLE TARNELBY_RELEASE_TIME
  OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(docs/tarnelby.6.in tarnelby.6 @ONLY)
configure_file(packaging/changelog.in changelog @ONLY)
configure_file(resources/${TARNELBY_APP_ID}.metainfo.xml.in ${TARNELBY_APP_ID}.metainfo.xml @ONLY)

# Debian keeps manual pages and changelogs compressed at the highest level,
# without the name and time stamp that would make every build differ.
set(compressed_docs)
foreach(doc tarnelby.6 changelog)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${doc}.gz
    COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/${doc}
    DEPENDS ${PROJECT_BINARY_DIR}/${doc}
    VERBATIM)
  list(APPEND compressed_docs ${PROJECT_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})

# Bound at load time and read-only after relocation, as Debian's own builds are.
target_link_options(tarnelby PRIVATE -Wl,-z,relro,-z,now)

set(TARNELBY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarnelby)
install(TARGETS tarnelby RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped binary goes without the compilers' names too, as Debian's do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(
      COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
              \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tarnelby
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES resources/${TARNELBY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${TARNELBY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TARNELBY_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_BINARY_DIR}/tarnelby.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${TARNELBY_DOC_DIR})
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tarnelby)

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
