# How our own targets are made: warnings, libraries of the layers, tests.

# Warnings on for our own targets; third-party headers come in as system
# includes and are not affected. VORBEL_WERROR makes them errors.
function(vorbel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(VORBEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The static library of one layer (one folder of src/):
#   vorbel_library(name LAYER layer SOURCES ... [PUBLIC libs...] [PRIVATE libs...])
# PUBLIC names what its headers include, PRIVATE what only its sources use.
function(vorbel_library name)
  cmake_parse_arguments(ARG "" "LAYER" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  if(NOT ARG_LAYER)
    message(FATAL_ERROR "vorbel_library(${name}) needs its LAYER")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  set_target_properties(${name} PROPERTIES VORBEL_LAYER ${ARG_LAYER})
  set_property(GLOBAL APPEND PROPERTY VORBEL_LIBRARIES ${name})
  vorbel_warnings(${name})
endfunction()

# One GoogleTest executable per area, registered with ctest.
function(vorbel_test name)
  cmake_parse_arguments(ARG "QT_MAIN" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT_MAIN)
    # Widget tests bring their own main: one offscreen QApplication per run.
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VORBEL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  vorbel_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${name})
endfunction()
