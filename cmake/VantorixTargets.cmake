# One static library per subsystem folder; every source below the folder
# belongs to it, so adding a file needs no edit here.
function(vx_add_library name folder)
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.c)
  if(_srcs)
    add_library(${name} STATIC ${_srcs})
    set(_scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(_scope INTERFACE)
  endif()
  target_include_directories(${name} ${_scope} ${CMAKE_SOURCE_DIR}/${folder})
  if(_srcs)
    target_compile_options(${name} PRIVATE -Wall -Wextra)
  endif()
  if(ARGN)
    target_link_libraries(${name} ${_scope} ${ARGN})
  endif()
endfunction()

# One test binary per test folder. Pass DISPLAY for tests that open a window;
# they get the "display" label and run under the X server test.sh starts.
# SOURCES names the folder's files to take instead of all of them.
function(vx_add_test name folder)
  cmake_parse_arguments(T "DISPLAY" "" "LIBS;SOURCES" ${ARGN})
  if(T_SOURCES)
    list(TRANSFORM T_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/tests/${folder}/ OUTPUT_VARIABLE _srcs)
  else()
    file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  endif()
  if(NOT _srcs)
    return()
  endif()
  add_executable(${name} ${_srcs})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(_labels unit)
  if(T_DISPLAY)
    set(_labels display)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/testrun/${name}
    PROPERTIES LABELS ${_labels} TIMEOUT 120)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/testrun/${name})
endfunction()
