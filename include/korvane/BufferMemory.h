// Buffer memory shared by every array class of the library.
//
// All array buffers are allocated and released here, and every release of a
// buffer that may have held data goes through `secureWipe` first. These are
// implementation details of the Array template, visible only because the
// template lives in a header; callers should not use them directly.
#pragma once

#include <cstddef>

#include "korvane/Export.h"

namespace Korvane {
namespace internal {

// Allocates `bytes` bytes of buffer memory (uninitialised). Throws
// std::bad_alloc when the memory cannot be had.
KORVANE_API void* allocateBuffer(std::size_t bytes);

// Releases a buffer obtained from allocateBuffer; null is ignored.
KORVANE_API void releaseBuffer(void* buffer);

// Overwrites `bytes` bytes at `data` with zeros in a way the compiler may not
// drop, even right before the memory is released.
KORVANE_API void secureWipe(void* data, std::size_t bytes);

// Throws std::length_error: an array was asked to hold more elements than a
// 32-bit count can describe.
[[noreturn]] KORVANE_API void throwArrayTooLong();

}  // namespace internal
}  // namespace Korvane
