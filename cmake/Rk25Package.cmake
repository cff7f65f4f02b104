# SPDX-License-Identifier: GPL-3.0-or-later
# Installing like a desktop program: links in bin/, the menu entry, the icons, the
# software-centre entry with its screenshot, and the Debian package made by CPack.
# Included after every target is defined.

# bin/ holds relative links into the program folder: the program follows the link back to its
# folder, and the installed tree stays movable.
set(rk25_commands rk25 rk25c)
# The virtual robot has no window in a core-only build.
if(TARGET rk25-robot)
  list(APPEND rk25_commands rk25-robot)
endif()
set(RK25_PROVIDED_BINARIES "")
foreach(command IN LISTS rk25_commands)
  string(APPEND RK25_PROVIDED_BINARIES "    <binary>${command}</binary>\n")
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${command}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK ../${RK25_PROGRAM_DIR}/${command} \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link} -> ../${RK25_PROGRAM_DIR}/${command}\")")
endforeach()

# The program's page, named in the software-centre entry; the publisher sets it.
set(RK25_HOMEPAGE_URL "https://rk25.example/" CACHE STRING
    "Web address of the program's page named in the software-centre entry")

# Where the published screenshot lives: the build makes the picture (target rk25screenshot,
# installed as share/rk25/screenshots/menu.png) and the publisher puts it at this address.
set(RK25_SCREENSHOT_URL "https://rk25.example/screenshots/menu.png" CACHE STRING
    "Web address of the main-menu screenshot named in the software-centre entry")

set(RK25_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/rk25.desktop.in
               ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/rk25.metainfo.xml.in
               ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.metainfo.xml @ONLY)
install(FILES ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.desktop DESTINATION share/applications)
if(TARGET rk25-robot)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/rk25-robot.desktop.in
                 ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.Robot.desktop @ONLY)
  install(FILES ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.Robot.desktop DESTINATION share/applications)
endif()
install(FILES ${RK25_PACKAGING_DIR}/${RK25_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The files made by running built programs (RK25_MADE_DIR: this tree, or the native one beside a
# cross build): the pictures and icons, the pages and the sample in CP932, the teacher's guide,
# the manual pages and the screenshot.
install(DIRECTORY ${RK25_MADE_DIR}/bin/Photo DESTINATION ${RK25_PROGRAM_DIR} PATTERN manifest.txt EXCLUDE)
install(DIRECTORY ${RK25_MADE_DIR}/bin/Navi ${RK25_MADE_DIR}/bin/Data DESTINATION ${RK25_PROGRAM_DIR})
# The teacher's guide also where Debian keeps a package's documentation.
install(DIRECTORY ${RK25_MADE_DIR}/bin/Navi/teacher DESTINATION share/doc/rk25)
install(DIRECTORY ${RK25_MADE_DIR}/share/icons/hicolor DESTINATION share/icons)
foreach(command IN LISTS rk25_commands)
  install(FILES ${RK25_MADE_DIR}/share/man/man1/${command}.1.gz DESTINATION share/man/man1)
endforeach()
install(FILES ${RK25_MADE_DIR}/packaging/screenshots/menu.png DESTINATION share/rk25/screenshots OPTIONAL)

if(NOT CMAKE_CROSSCOMPILING)
  # The screenshot needs a virtual display and a few seconds of the running program, so it is
  # made on request (the package check asks for it), not by every build.
  set(RK25_SCREENSHOT ${RK25_PACKAGING_DIR}/screenshots/menu.png)
  add_custom_command(
    OUTPUT ${RK25_SCREENSHOT}
    COMMAND ${CMAKE_SOURCE_DIR}/packaging/make-screenshot $<TARGET_FILE:rk25> ${RK25_SCREENSHOT}
    DEPENDS rk25 rk25photo rk25data ${CMAKE_SOURCE_DIR}/packaging/make-screenshot
    COMMENT "Taking the main-menu screenshot"
    VERBATIM)
  add_custom_target(rk25screenshot DEPENDS ${RK25_SCREENSHOT})

  # Manual pages, made at build time from each program's own --help and --version with a short
  # include file beside (packaging/man/), so the page and --help cannot disagree.
  find_program(RK25_HELP2MAN help2man REQUIRED)
  set(RK25_MAN_DIR ${CMAKE_BINARY_DIR}/share/man/man1)
  set(rk25_man_pages "")
  foreach(command IN LISTS rk25_commands)
    set(page ${RK25_MAN_DIR}/${command}.1.gz)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_SOURCE_DIR}/packaging/make-manpage $<TARGET_FILE:${command}>
              ${CMAKE_SOURCE_DIR}/packaging/man/${command}.h2m ${page}
      DEPENDS ${command} ${CMAKE_SOURCE_DIR}/packaging/man/${command}.h2m
              ${CMAKE_SOURCE_DIR}/packaging/make-manpage
      COMMENT "Writing the manual page ${command}(1)"
      VERBATIM)
    list(APPEND rk25_man_pages ${page})
  endforeach()
  add_custom_target(rk25manpages ALL DEPENDS ${rk25_man_pages})
endif()

# Debian's documents: the licence in the machine-readable format and the changelog, gzipped
# without a time stamp so that two builds give the same file.
set(RK25_CHANGELOG_GZ ${RK25_PACKAGING_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${RK25_CHANGELOG_GZ}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/changelog > ${RK25_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(rk25changelog ALL DEPENDS ${RK25_CHANGELOG_GZ})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${RK25_CHANGELOG_GZ} DESTINATION share/doc/rk25)

# The Debian package. A school that rebuilds it for its own repository puts its own address here.
set(RK25_MAINTAINER "RK-25 developers <dev@rk25.invalid>" CACHE STRING
    "Maintainer of the Debian package: \"NAME <MAIL>\"")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rk25)
set(CPACK_PACKAGE_VENDOR "RK-25")
set(CPACK_PACKAGE_CONTACT "${RK25_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RK25_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "program a stepping-motor robot in class")
# Debian wants lines of at most 80 characters; CPack puts the summary first and indents each
# line of the text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pupils program a small two-wheeled stepping-motor robot with icons, text
or a route on a floor grid, send the program over a serial line, and drive
the robot by remote control. A virtual robot (rk25-robot) stands in for
real ones, and rk25c compiles programs on the command line. The user
interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A cross build is packaged for its target, not for the machine that builds it.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from dpkg-shlibdeps; the plugins, the font and the icon theme it
# cannot see: the window system plugin and the JPEG reader sit in libqt6gui6, which the
# libraries already pull in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
