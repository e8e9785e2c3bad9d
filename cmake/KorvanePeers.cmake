# The independent libraries that tests, fuzz targets and benchmarks compare
# Korvane with, each as an imported target: GTest::gtest and
# GTest::gtest_main, PkgConfig::GMP, OpenSSL::Crypto, and benchmark::benchmark
# when benchmarks are built.
if(KORVANE_TESTS_ENABLED)
  include(${CMAKE_CURRENT_LIST_DIR}/GoogleTest.cmake)
endif()
# GMP and OpenSSL are peers of the Linux builds only: on Windows the tests
# that need them are registered, labelled and left out. A cross build for
# Linux takes the target's GMP; OpenSSL is there only where the target's
# development files install beside the host's, which Debian's do not, so
# without it the peer-openssl tests are left out the same way.
# KORVANE_MISSING_PEERS: the peer labels whose tests this build leaves out.
set(KORVANE_MISSING_PEERS "")
if(WIN32)
  set(KORVANE_MISSING_PEERS peer-gmp peer-openssl peer-posix)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GMP REQUIRED IMPORTED_TARGET gmp)
  if(CMAKE_CROSSCOMPILING)
    find_package(OpenSSL COMPONENTS Crypto)
    if(NOT OpenSSL_FOUND)
      list(APPEND KORVANE_MISSING_PEERS peer-openssl)
    endif()
  else()
    find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  endif()
endif()
if(KORVANE_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
