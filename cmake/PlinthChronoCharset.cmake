# plinth_chrono_safe_literals(<target> [PUBLIC|PRIVATE])
#
# C++20's <chrono>, which Qt's headers include, holds the literal "\u00b5s";
# code page 936 has no micro sign, so GCC stops with "converting UCN to
# execution character set". GB18030 encodes every code page 936 character with
# the same bytes (the one exception is the euro sign, 0x80 in code page 936)
# and has the micro sign, so such targets compile their literals as GB18030.
# PUBLIC passes the setting on to everything that includes the target's headers.
function(plinth_chrono_safe_literals target)
  set(scope PRIVATE)
  if(ARGC GREATER 1)
    set(scope ${ARGV1})
  endif()
  if(PLINTH_CP936_LITERALS)
    target_compile_options(${target} ${scope} -fexec-charset=GB18030)
  endif()
endfunction()
