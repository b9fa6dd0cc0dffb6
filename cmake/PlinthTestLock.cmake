# plinth_lock_tests(<test program> <resource>)
#
# The cases of a GoogleTest program added with plinth_add_test never run at
# the same time as other cases that lock the same resource (ctest -j), for
# tests that use something the machine has only once, such as a named shared
# memory block. The cases are found when ctest runs, so the lock is set by a
# script that ctest reads after the program's list of cases.
function(plinth_lock_tests target resource)
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_lock.cmake")
  file(WRITE "${script}"
    "if(DEFINED ${target}_TESTS)\n"
    "  set_tests_properties(\${${target}_TESTS} PROPERTIES RESOURCE_LOCK ${resource})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
