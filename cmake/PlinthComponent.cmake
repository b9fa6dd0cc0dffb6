# plinth_add_component(<target> FILE <file name> SOURCES <files...> [LIBS <targets...>])
#
# Builds an in-process automation component: a loadable shared object named
# exactly <file name> (the suite keeps names such as Mendor.dll) that exports
# only its four entry points (PLINTH_COMPONENT_EXPORTS). Everything else it
# carries, including the static libraries of the suite, stays private to it,
# so two components in one process never share each other's state.
function(plinth_add_component target)
  cmake_parse_arguments(ARG "" "FILE" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_FILE)
    message(FATAL_ERROR "plinth_add_component(${target}): FILE is required")
  endif()
  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE plinth_automation ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ""
    OUTPUT_NAME ${ARG_FILE}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  if(NOT PLINTH_SANITIZE AND NOT PLINTH_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
