# SPDX-License-Identifier: GPL-3.0-or-later
# Where an installation puts things. The program folder (executables with Photo/, Navi/ and
# Data/ beside them, as in build/bin) goes to one place of its own; bin/ only holds links
# into it, and the program finds its folder from its own location, so the whole tree can be
# installed under any prefix or moved.
set(RK25_PROGRAM_DIR lib/rk25)
# The name the desktop knows the program by: menu entry, icon, software-centre entry.
set(RK25_APP_ID jp.rk25.RK25)

# The picture generator draws the desktop icons here, in the layout of an icon theme. The
# sizes come from its table, so that the build knows the files it makes.
set(RK25_ICON_DIR ${CMAKE_BINARY_DIR}/share/icons)
file(STRINGS ${CMAKE_SOURCE_DIR}/assets/generator/picturetable.h rk25_icon_sizes_line
     REGEX "APP_ICON_SIZES\\[\\] = ")
string(REGEX MATCHALL "[0-9]+" rk25_icon_sizes "${rk25_icon_sizes_line}")
file(STRINGS ${CMAKE_SOURCE_DIR}/assets/generator/picturetable.h rk25_icon_name_line
     REGEX "APP_ICON_NAME\\[\\] = ")
if(NOT rk25_icon_sizes OR NOT rk25_icon_name_line MATCHES "\"${RK25_APP_ID}\"")
  message(FATAL_ERROR "assets/generator/picturetable.h: APP_ICON_SIZES or APP_ICON_NAME (${RK25_APP_ID}) not found")
endif()
set(RK25_ICON_FILES "")
foreach(size IN LISTS rk25_icon_sizes)
  list(APPEND RK25_ICON_FILES ${RK25_ICON_DIR}/hicolor/${size}x${size}/apps/${RK25_APP_ID}.png)
endforeach()
