# plinth_add_test(<name> SOURCES <files...> LIBS <targets...> [LABEL <label>] [LOCK <resource>])
#
# Builds one GoogleTest program and registers each of its cases with CTest.
# Every test runs offscreen and without the browser sandbox, and is labelled
# with its folder (ctest -L markup runs the markup tests).
#
# LOCK names something the machine has only once (a named shared memory
# block, say): no two cases that lock the same resource run at the same time
# under ctest -j. The cases are only known when ctest runs, so the lock is set
# by a script that ctest reads after the program's list of cases.
include(GoogleTest)
find_package(GTest REQUIRED)

function(plinth_add_test name)
  cmake_parse_arguments(ARG "" "LABEL;LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    get_filename_component(ARG_LABEL ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS ${ARG_LABEL}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;PLINTH_BUILD_DIR=${CMAKE_BINARY_DIR}"
      TIMEOUT 300)
  if(ARG_LOCK)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_lock.cmake")
    file(WRITE "${script}"
      "if(DEFINED ${name}_TESTS)\n"
      "  set_tests_properties(\${${name}_TESTS} PROPERTIES RESOURCE_LOCK ${ARG_LOCK})\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
  endif()
endfunction()
