# Every source folder builds <folder>_core from <folder>/core (Qt Core and SerialPort only;
# a widget or painting header, in a source or a header of the folder, fails its build, see
# quillex_core_include_guard) and
# <folder>_ui from <folder>/ui (windows).
# Files are picked up by glob so that adding a file never means editing this list.
# Sources include each other folder-qualified from src/ ("link/core/StationLink.h").

# A folder without sources yet still gives a target that others can name.
function(quillex_library target subdir)
  if(NOT QUILLEX_INCLUDE_ROOT)
    set(QUILLEX_INCLUDE_ROOT ${CMAKE_CURRENT_SOURCE_DIR}/${subdir})
  endif()
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/*.h)
  set(sources ${files})
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    add_library(${target} STATIC ${files})
    target_include_directories(${target} PUBLIC ${QUILLEX_INCLUDE_ROOT})
    target_link_libraries(${target} PUBLIC ${ARGN})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${QUILLEX_INCLUDE_ROOT})
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
endfunction()

# The Qt include root, on the path of every Qt target, would still let a core file reach the
# widgets or the painting classes by their module path (<QtWidgets/QWidget>). For the core
# targets a directory of stand-ins comes first: one file for each header of those modules,
# each stopping the compile with an error that says why.
function(quillex_core_include_guard out)
  set(guard ${PROJECT_BINARY_DIR}/core-include-guard)
  set(stamp ${guard}/.made-for-qt-${Qt6_VERSION})
  if(NOT EXISTS ${stamp})
    file(REMOVE_RECURSE ${guard})
    foreach(module Gui Widgets PrintSupport)
      get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
      foreach(dir ${dirs})
        get_filename_component(name ${dir} NAME)
        if(name STREQUAL "Qt${module}" AND IS_DIRECTORY ${dir})
          file(GLOB_RECURSE headers RELATIVE ${dir} ${dir}/*)
          foreach(header ${headers})
            file(WRITE ${guard}/Qt${module}/${header}
                 "#error \"GUI-free code (a _core target) includes Qt${module}/${header}; it belongs in a _ui target\"\n")
          endforeach()
        endif()
      endforeach()
    endforeach()
    file(WRITE ${stamp} "")
  endif()
  set(${out} ${guard} PARENT_SCOPE)
endfunction()

# The folders a target's files include ("link/core/StationLink.h" names link_core) must be
# the ones it declares, no more and no fewer (a window target's own core aside), so that the
# build's dependencies show the layers as the code has them.
function(quillex_check_deps target subdir implicit declared)
  file(GLOB files ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/*.h)
  set(used "")
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^#include \"[a-z]+/(core|ui)/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/(core|ui)/.*" "\\1_\\2" dep "${line}")
      list(APPEND used ${dep})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES used)
  list(REMOVE_ITEM used ${target} ${implicit})
  set(wanted ${declared})
  list(FILTER wanted EXCLUDE REGEX "^Qt6::")
  list(SORT used)
  list(SORT wanted)
  if(NOT "${used}" STREQUAL "${wanted}")
    message(FATAL_ERROR "${target} includes [${used}] but declares [${wanted}]")
  endif()
endfunction()

function(quillex_core_target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  quillex_check_deps(${folder}_core core "" "${ARG_DEPS}")
  quillex_library(${folder}_core core Qt6::Core ${ARG_DEPS})
  get_target_property(type ${folder}_core TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    quillex_core_include_guard(guard)
    target_include_directories(${folder}_core BEFORE PRIVATE ${guard})
    # Every header of the folder is compiled under the guard as well, also one that only
    # windows or tests include.
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${QUILLEX_INCLUDE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR}/core/*.h)
    set(includes "")
    foreach(header ${headers})
      string(APPEND includes "#include \"${header}\"\n")
    endforeach()
    set(all_headers ${CMAKE_CURRENT_BINARY_DIR}/${folder}_core_headers.cpp)
    file(CONFIGURE OUTPUT ${all_headers} CONTENT "${includes}")
    target_sources(${folder}_core PRIVATE ${all_headers})
  endif()
endfunction()

function(quillex_ui_target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  quillex_check_deps(${folder}_ui ui ${folder}_core "${ARG_DEPS}")
  quillex_library(${folder}_ui ui ${folder}_core Qt6::Widgets Qt6::PrintSupport ${ARG_DEPS})
endfunction()

# One test executable per tests/<folder>/tst_*.cpp, run offscreen by CTest.
function(quillex_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE Qt6::Test ${ARG_DEPS})
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUILLEX_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
      TIMEOUT 300)
  endforeach()
endfunction()
