#include "korvane/BufferMemory.h"
#include "text/BufferMemory.h"
#include "text/CountedBlock.h"

#include <new>
#include <stdexcept>

namespace Korvane {
namespace internal {

// Buffers come from operator new[] so that a test (or a hardening allocator)
// that replaces the global array operators sees every buffer the library
// allocates and releases.
void* allocateBuffer(std::size_t bytes) {
    return ::operator new[](bytes == 0 ? 1 : bytes);
}

void releaseBuffer(void* buffer) noexcept {
    ::operator delete[](buffer);
}

// secureWipe is the platform's: BufferWipePosix.cpp, BufferWipeWindows.cpp.

void throwArrayTooLong() {
    throw std::length_error("Korvane array length exceeds the 32-bit element count");
}

}  // namespace internal

void* BufferMemory::allocate(std::size_t bytes) { return internal::allocateBuffer(bytes); }
void BufferMemory::release(void* buffer) noexcept { internal::releaseBuffer(buffer); }
void BufferMemory::wipe(void* data, std::size_t bytes) noexcept { internal::secureWipe(data, bytes); }
void* BufferMemory::allocateCounted(std::size_t bytes, ReferenceCounter*& counter) {
    return internal::BlockCounter::allocate(bytes, counter);
}
void BufferMemory::releaseCounted(ReferenceCounter* counter) noexcept {
    internal::BlockCounter::release(counter);
}
std::size_t BufferMemory::countedBytes(const ReferenceCounter* counter) noexcept {
    return internal::BlockCounter::bufferBytes(counter);
}
void BufferMemory::throwTooLong() { internal::throwArrayTooLong(); }

}  // namespace Korvane
