# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for arm64 (Raspberry Pi OS; the package, built against Debian 12, installs on Debian 13 too) on an amd64 Debian machine, with Debian's
# cross compiler and the arm64 Qt installed beside the native one (scripts/install-deps --arm64).
#   cmake -S . -B build-arm64 --toolchain cmake/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

# Multiarch: the arm64 libraries and their CMake packages live in /usr/lib/aarch64-linux-gnu,
# beside the amd64 ones, so /usr stays a search prefix; the library architecture picks arm64.
# Programs (moc, rcc, help2man) are always the native ones.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The arm64 Qt takes its build tools from the native qt6-base-dev-tools.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The build itself runs no arm64 program: the files made by running programs come from the
# native build beside it (build-arm64/host). Anything CMake must run for arm64, and the package
# check, use qemu with the arm64 loader and libraries.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static -L /usr/aarch64-linux-gnu)
