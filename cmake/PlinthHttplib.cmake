# cpp-httplib, for the loopback servers of tests and benchmarks and for the
# local site. Debian builds it as a shared library whose header needs the
# package's compile definitions, so it comes from pkg-config as
# PkgConfig::CPP_HTTPLIB.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND AND NOT TARGET PkgConfig::CPP_HTTPLIB)
  pkg_check_modules(CPP_HTTPLIB QUIET IMPORTED_TARGET GLOBAL cpp-httplib)
endif()
