# The platform layer: every service the library takes from the operating
# system has one source file per platform beside its user, named
# <Service>Posix.cpp or <Service>Windows.cpp. This keeps the files of the
# target platform in a source list and drops the others.
#   korvane_select_platform_sources(<list variable>)
if(WIN32)
  set(KORVANE_PLATFORM Windows)
  set(KORVANE_OTHER_PLATFORMS Posix)
else()
  set(KORVANE_PLATFORM Posix)
  set(KORVANE_OTHER_PLATFORMS Windows)
endif()

function(korvane_select_platform_sources sources)
  set(kept ${${sources}})
  foreach(other IN LISTS KORVANE_OTHER_PLATFORMS)
    list(FILTER kept EXCLUDE REGEX "${other}\\.cpp$")
  endforeach()
  set(${sources} ${kept} PARENT_SCOPE)
endfunction()

# The C library of a 32-bit Linux target keeps 32-bit file offsets and
# time_t unless asked: 64-bit ones keep files past 2 GiB and the C
# runtime's times past 2038 (mktime, timegm) working there. No public
# header uses either type, so programs built without them still link.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_definitions(_FILE_OFFSET_BITS=64 _TIME_BITS=64)
endif()

if(WIN32)
  # korvane.dll, as Windows programs name their libraries; the import
  # library keeps the MinGW name libkorvane.dll.a.
  set(CMAKE_SHARED_LIBRARY_PREFIX "")
  set(CMAKE_SHARED_MODULE_PREFIX "")
  # Windows finds a program's DLLs beside it: every program and DLL of the
  # build goes to one folder, with the compiler's runtime DLLs copied in.
  if(PROJECT_IS_TOP_LEVEL AND NOT CMAKE_RUNTIME_OUTPUT_DIRECTORY)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  endif()
  set(KORVANE_RUNTIME_DLLS "")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
        get_filename_component(path "${path}" REALPATH)
        list(APPEND KORVANE_RUNTIME_DLLS "${path}")
      endif()
    endforeach()
  endif()
  if(CMAKE_RUNTIME_OUTPUT_DIRECTORY AND KORVANE_RUNTIME_DLLS)
    file(COPY ${KORVANE_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endif()
endif()
