# Every source folder builds <folder>_core from <folder>/core (Qt Core and SerialPort only,
# so a widget header cannot even be found) and <folder>_ui from <folder>/ui (windows).
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

function(quillex_core_target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  quillex_library(${folder}_core core Qt6::Core ${ARG_DEPS})
endfunction()

function(quillex_ui_target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
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
