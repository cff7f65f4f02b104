# SPDX-License-Identifier: GPL-3.0-or-later
# The version lives in one place, the newest entry of the changelog (Debian's format): the
# project, the package, the software-centre entry and every program's --version read it.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../changelog rk25_changelog_top LIMIT_COUNT 1)
if(NOT rk25_changelog_top MATCHES "^rk25 \\(([0-9]+(\\.[0-9]+)*)\\) ")
  message(FATAL_ERROR "changelog: the first line must read 'rk25 (VERSION) ...', not '${rk25_changelog_top}'")
endif()
set(RK25_CHANGELOG_VERSION ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../changelog)

# The newest entry's date (" -- NAME <MAIL>  Tue, 08 Dec 2026 ...") dates the release.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../changelog rk25_changelog_sign REGEX "^ -- " LIMIT_COUNT 1)
if(NOT rk25_changelog_sign MATCHES ",  *([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "changelog: the newest entry has no date line: '${rk25_changelog_sign}'")
endif()
set(rk25_day ${CMAKE_MATCH_1})
set(rk25_year ${CMAKE_MATCH_3})
set(rk25_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND rk25_months ${CMAKE_MATCH_2} rk25_month)
math(EXPR rk25_month "${rk25_month} + 1" OUTPUT_FORMAT DECIMAL)
if(rk25_month LESS 10)
  set(rk25_month 0${rk25_month})
endif()
math(EXPR rk25_day "${rk25_day}" OUTPUT_FORMAT DECIMAL)
if(rk25_day LESS 10)
  set(rk25_day 0${rk25_day})
endif()
set(RK25_RELEASE_DATE ${rk25_year}-${rk25_month}-${rk25_day})
