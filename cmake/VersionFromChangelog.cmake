# The version and its release date are written once, in the newest entry of
# debian/changelog, for the package and the program alike. CMake reads them
# itself, so that configuring needs no Debian tools. Included before project(),
# which takes TARNELBY_VERSION; TARNELBY_RELEASE_DATE (YYYY-MM-DD, in UTC as
# dpkg reads the entry's time) goes into the manual page and the AppStream data.

set(changelog ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})

# The newest entry opens with "tarnelby (0.1.0) unstable; urgency=medium" and
# closes with " -- Name <address>  Mon, 07 Dec 2026 12:00:00 +0000".
file(STRINGS ${changelog} headings REGEX "^[a-z0-9][a-z0-9.+-]* \\(")
file(STRINGS ${changelog} trailers REGEX "^ -- .*>  ")
list(GET headings 0 heading)
list(GET trailers 0 trailer)

# project() takes only dot-separated numbers.
if(NOT heading MATCHES "^[^ ]+ \\(([0-9]+(\\.[0-9]+)*)\\)")
  message(FATAL_ERROR "debian/changelog: the version in '${heading}' is not dot-separated numbers")
endif()
set(TARNELBY_VERSION ${CMAKE_MATCH_1})

if(NOT trailer MATCHES ">  [A-Za-z]*,? *([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([+-])([0-9][0-9])([0-9][0-9])$")
  message(FATAL_ERROR "debian/changelog: no date in '${trailer}'")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
if(month LESS 0)
  message(FATAL_ERROR "debian/changelog: no month '${CMAKE_MATCH_2}' in '${trailer}'")
endif()
# Days since 1970-01-01 of the proleptic Gregorian calendar, counted in years
# that begin on 1 March, so that the leap day ends a year.
math(EXPR year "${CMAKE_MATCH_3} - (13 - ${month}) / 12")
math(EXPR days "365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400
                + (153 * ((${month} + 10) % 12) + 2) / 5 + ${CMAKE_MATCH_1} - 1 - 719468")
math(EXPR timestamp "${days} * 86400 + ${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6}
                     - (${CMAKE_MATCH_7}1) * (${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")

# string(TIMESTAMP) tells the time that SOURCE_DATE_EPOCH gives.
set(sourceDateEpoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${timestamp})
string(TIMESTAMP TARNELBY_RELEASE_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${sourceDateEpoch}")
