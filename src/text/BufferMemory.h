// Buffer memory shared by every array class of the library.
//
// All array buffers are allocated and released here, and every release of a
// buffer that may have held data goes through `secureWipe` first. The Array
// and SmartPointer templates reach these through the exported class
// BufferMemory (korvane/BufferMemory.h); the library's own sources call them
// directly. Not exported.
#pragma once

#include <cstddef>
#include <new>

namespace Korvane {
namespace internal {

// Allocates `bytes` bytes of buffer memory (uninitialised). Throws
// std::bad_alloc when the memory cannot be had. Buffers come from operator
// new[] so that a test (or a hardening allocator) that replaces the global
// array operators sees every buffer the library allocates and releases.
inline void* allocateBuffer(std::size_t bytes) { return ::operator new[](bytes == 0 ? 1 : bytes); }

// Releases a buffer obtained from allocateBuffer; null is ignored.
inline void releaseBuffer(void* buffer) noexcept { ::operator delete[](buffer); }

// Overwrites `bytes` bytes at `data` with zeros in a way the compiler may not
// drop, even right before the memory is released.
void secureWipe(void* data, std::size_t bytes) noexcept;

// Throws std::length_error: an array was asked to hold more elements than a
// 32-bit count can describe.
[[noreturn]] void throwArrayTooLong();

}  // namespace internal
}  // namespace Korvane
