# The version and its release date are written once, in the newest entry of
# debian/changelog, for the package and the program alike. Included before
# project(), which takes TARNELBY_VERSION; TARNELBY_RELEASE_DATE (YYYY-MM-DD)
# goes into the manual page and the AppStream data.

set(changelog ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})

function(changelog_field field variable)
  execute_process(
    COMMAND dpkg-parsechangelog --file ${changelog} --show-field ${field}
    OUTPUT_VARIABLE value
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

changelog_field(Version version)
# project() takes only dot-separated numbers.
if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)*$")
  message(FATAL_ERROR "debian/changelog: version '${version}' is not dot-separated numbers")
endif()
set(TARNELBY_VERSION ${version})

changelog_field(Timestamp timestamp)
execute_process(
  COMMAND date --utc --date @${timestamp} +%F
  OUTPUT_VARIABLE TARNELBY_RELEASE_DATE
  OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
