# SPDX-License-Identifier: GPL-3.0-or-later
# The native build beside a cross build (in host/): the same source with the build machine's
# compiler and Qt, asked only for the files that do not depend on the architecture. It is looked
# at on every build, so a changed picture or page reaches the cross package too.
include(ExternalProject)
cmake_host_system_information(RESULT rk25_host_jobs QUERY NUMBER_OF_LOGICAL_CORES)
ExternalProject_Add(rk25host
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${RK25_MADE_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DRK25_PACKAGE_ONLY=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel ${rk25_host_jobs} --target all rk25screenshot
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)
