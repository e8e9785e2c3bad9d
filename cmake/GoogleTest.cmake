# GoogleTest for the tests: the installed package for a native build or a
# cross build whose target has one (Debian's multiarch libgtest-dev); for
# other cross builds, compiled here from the sources of Debian's googletest
# package, which define the same GTest::gtest and GTest::gtest_main targets.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()
find_package(GTest CONFIG QUIET)
if(GTest_FOUND)
  return()
endif()

set(KORVANE_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
  "GoogleTest sources compiled for a cross build")
if(NOT EXISTS ${KORVANE_GOOGLETEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources at ${KORVANE_GOOGLETEST_SOURCE_DIR} "
    "(Debian: googletest); set KORVANE_GOOGLETEST_SOURCE_DIR")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KORVANE_GOOGLETEST_SOURCE_DIR}/googletest
  ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
