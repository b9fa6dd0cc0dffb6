# Compiler settings shared by every target of the suite.

find_program(PLINTH_CCACHE ccache)
if(PLINTH_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${PLINTH_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${PLINTH_CCACHE})
endif()

add_compile_options(-Wall -Wextra)
if("$ENV{CI}" STREQUAL "true")
  add_compile_options(-Werror)
endif()

# Sources are UTF-8; every narrow literal of the suite is code page 936 text.
# clang only knows UTF-8 as an execution character set, so the fuzzing build
# (clang, libFuzzer) keeps UTF-8 literals; nothing it fuzzes depends on them.
add_compile_options(-finput-charset=UTF-8)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-fexec-charset=CP936)
  set(PLINTH_CP936_LITERALS ON)
else()
  set(PLINTH_CP936_LITERALS OFF)
endif()

if(PLINTH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PLINTH_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Qt is found once here; folders that need it link Qt6::Widgets and friends.
set(CMAKE_AUTOMOC OFF)
