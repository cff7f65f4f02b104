# SPDX-License-Identifier: GPL-3.0-or-later
# Sorts the sources below a folder into the GUI-free core and the GUI library.
# A unit (X.h with X.cpp) belongs to the GUI when either file includes a header of the
# Widgets, PrintSupport or Network modules by its module path (<QtWidgets/...>, <QtNetwork/...>).
# That is the house rule for GUI files; the core library does not link Widgets, so a
# widget header that slips into a core file fails to build rather than blurring the line.
function(rk25_is_gui_unit out base)
  set(result FALSE)
  foreach(ext h cpp)
    if(EXISTS ${base}.${ext})
      file(STRINGS ${base}.${ext} hits REGEX "^[ \t]*#[ \t]*include[ \t]*<Qt(Widgets|PrintSupport|Network)/")
      if(hits)
        set(result TRUE)
      endif()
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(rk25_split_sources dir core_out gui_out)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(core "")
  set(gui "")
  # The application's entry point is its own target.
  list(FILTER files EXCLUDE REGEX "/main\\.cpp$")
  foreach(f IN LISTS files)
    get_filename_component(d ${f} DIRECTORY)
    get_filename_component(n ${f} NAME_WE)
    rk25_is_gui_unit(is_gui ${d}/${n})
    if(is_gui)
      list(APPEND gui ${f})
    else()
      list(APPEND core ${f})
    endif()
  endforeach()
  set(${core_out} ${core} PARENT_SCOPE)
  set(${gui_out} ${gui} PARENT_SCOPE)
endfunction()
