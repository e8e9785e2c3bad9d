# The independent libraries that tests, fuzz targets and benchmarks compare
# Korvane with, each as an imported target: GTest::gtest and
# GTest::gtest_main, PkgConfig::GMP, OpenSSL::Crypto, and benchmark::benchmark
# when benchmarks are built.
if(KORVANE_TESTS_ENABLED)
  include(${CMAKE_CURRENT_LIST_DIR}/GoogleTest.cmake)
endif()
# GMP and OpenSSL are peers of the Linux builds only: on Windows the tests
# that need them are registered, labelled and left out.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GMP REQUIRED IMPORTED_TARGET gmp)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
endif()
if(KORVANE_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
