/// @file
/// Symbol export for the Korvane shared library.
///
/// The library is compiled with hidden visibility; every public class and free
/// function carries KORVANE_API so that exactly the documented interface is
/// exported from libkorvane.so.
/// @ingroup storage
#pragma once

#if defined(_WIN32)
// KORVANE_STATIC: a program that links the library's objects statically
// (the white-box tests) does not import them.
#  if defined(KORVANE_STATIC)
#    define KORVANE_API
#  elif defined(KORVANE_BUILDING_LIBRARY)
#    define KORVANE_API __declspec(dllexport)
#  else
#    define KORVANE_API __declspec(dllimport)
#  endif
#else
/// Marks a class or function as part of the exported interface.
#  define KORVANE_API __attribute__((visibility("default")))
#endif

#if defined(_WIN32)
// An exported class exports its inline members too.
#  define KORVANE_INLINE_API
#else
/// Marks an inline member that the library still exports: programs built
/// when it was out of line call the library's copy (the library keeps one
/// through KORVANE_KEEP_OUT_OF_LINE).
#  define KORVANE_INLINE_API __attribute__((visibility("default")))
#endif
