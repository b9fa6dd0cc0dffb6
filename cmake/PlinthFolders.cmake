# plinth_add_subfolders(<dir> <aggregate>)
#
# Adds every direct subfolder of <dir> that has a CMakeLists.txt, and makes
# the target <aggregate> build every target they define, so that `make fuzz`
# and `make bench` build their programs without the rest of the tree.
function(plinth_add_subfolders dir aggregate)
  add_custom_target(${aggregate})
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
      get_property(targets DIRECTORY ${child} PROPERTY BUILDSYSTEM_TARGETS)
      if(targets)
        add_dependencies(${aggregate} ${targets})
      endif()
    endif()
  endforeach()
endfunction()
