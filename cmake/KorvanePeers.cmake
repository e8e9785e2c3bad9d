# The independent libraries that tests, fuzz targets and benchmarks compare
# Korvane with, each as an imported target: GTest::gtest and
# GTest::gtest_main, PkgConfig::GMP, OpenSSL::Crypto, and benchmark::benchmark
# when benchmarks are built.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GMP REQUIRED IMPORTED_TARGET gmp)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
if(KORVANE_TESTS_ENABLED)
  find_package(GTest REQUIRED)
endif()
if(KORVANE_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
