// Buffer memory shared by every array class of the library.
//
// All array buffers are allocated and released here, and every release of a
// buffer that may have held data goes through `secureWipe` first. The Array
// and SmartPointer templates reach these through the exported class
// BufferMemory (korvane/BufferMemory.h); the library's own sources call them
// directly. Not exported.
#pragma once

#include <cstddef>
#include <cstring>
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

// secureWipe for the blocks the library allocates itself, inline where the
// compiler offers a barrier: behind it the compiler must assume the zeros are
// read, so it cannot drop the memset, and the platform wipe's two calls,
// which cost as much as wiping a small block, are spared.
inline void wipeOwnBlock(void* data, std::size_t bytes) noexcept {
#if defined(__GNUC__) || defined(__clang__)
    std::memset(data, 0, bytes);
    __asm__ __volatile__("" : : "r"(data) : "memory");
#else
    secureWipe(data, bytes);
#endif
}

// Throws std::length_error: an array was asked to hold more elements than a
// 32-bit count can describe.
[[noreturn]] void throwArrayTooLong();

}  // namespace internal
}  // namespace Korvane
