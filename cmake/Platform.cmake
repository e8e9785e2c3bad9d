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
