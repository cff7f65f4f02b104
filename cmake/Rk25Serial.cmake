# SPDX-License-Identifier: GPL-3.0-or-later
# The serial-port backend of the robot line (Trs232c, on Qt SerialPort) can be left out
# (RK25_SERIAL=OFF): the core, the command-line tools and every test and benchmark that does
# not need a serial port still build and run, on the other backends of the line. The windowed
# program always needs it.

# Files (of the list in var) whose unit includes the serial backend, directly or through a
# header that does.
function(rk25_serial_units out)
  set(names "QSerialPort" "QSerialPortInfo" "QtSerialPort/[A-Za-z]+" "robot/trs232c\\.h")
  set(found "")
  set(files ${ARGN})
  set(grew TRUE)
  while(grew)
    set(grew FALSE)
    list(JOIN names "|" alternatives)
    foreach(f IN LISTS files)
      if(f IN_LIST found)
        continue()
      endif()
      file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${alternatives})[>\"]")
      if(hits)
        list(APPEND found ${f})
        set(grew TRUE)
        # Whoever includes this unit's header needs the backend as well.
        if(f MATCHES "/(src|tests)/(.+)\\.h$")
          string(REPLACE "." "\\." header ${CMAKE_MATCH_2})
          list(APPEND names "${header}\\.h")
        endif()
      endif()
    endforeach()
  endwhile()
  # A unit goes as a whole: its .cpp goes with its .h.
  set(units "")
  foreach(f IN LISTS found)
    string(REGEX REPLACE "\\.(h|cpp)$" "" base ${f})
    list(APPEND units ${base}.h ${base}.cpp)
  endforeach()
  set(result "")
  foreach(f IN LISTS files)
    if(f IN_LIST units)
      list(APPEND result ${f})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Leaves out of the tests and benchmarks whatever needs the backend: such programs are not
# built, their tests are marked disabled, and the test helpers lose the units that need it.
function(rk25_leave_out_serial_programs)
  file(GLOB_RECURSE candidates CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h ${CMAKE_SOURCE_DIR}/src/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/*.h ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  rk25_serial_units(serial ${candidates})
  set(disabled "")
  foreach(dir tests bench)
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
      continue()
    endif()
    get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR}/${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS targets)
      get_target_property(sources ${t} SOURCES)
      set(kept "")
      set(needs FALSE)
      foreach(s IN LISTS sources)
        if(s IN_LIST serial)
          set(needs TRUE)
        else()
          list(APPEND kept ${s})
        endif()
      endforeach()
      if(NOT needs)
        continue()
      endif()
      get_target_property(kind ${t} TYPE)
      if(kind STREQUAL "EXECUTABLE")
        set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL TRUE)
        list(APPEND disabled ${t})
      else()
        set_property(TARGET ${t} PROPERTY SOURCES ${kept})
      endif()
    endforeach()
  endforeach()
  if(disabled AND EXISTS ${CMAKE_SOURCE_DIR}/tests/CMakeLists.txt)
    set(script ${CMAKE_BINARY_DIR}/rk25-serial-tests-off.cmake)
    list(JOIN disabled " " names)
    # CTest reads this before the tests' own lines and without the project's policies: each
    # test named here is disabled as it is added.
    file(WRITE ${script} "# Written by cmake/Rk25Serial.cmake: these need the serial backend.\n"
                         "cmake_policy(SET CMP0057 NEW)\n"
                         "set(rk25_serial_tests ${names})\n"
                         "macro(add_test name)\n  _add_test(\${name} \${ARGN})\n"
                         "  if(\"\${name}\" IN_LIST rk25_serial_tests)\n"
                         "    set_tests_properties(\${name} PROPERTIES DISABLED TRUE)\n  endif()\nendmacro()\n")
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR}/tests APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()
