#include "korvane/BufferMemory.h"
#include "text/BufferMemory.h"

#include <new>
#include <stdexcept>

namespace Korvane {
namespace internal {

// secureWipe is the platform's: BufferWipePosix.cpp, BufferWipeWindows.cpp.

void throwArrayTooLong() {
    throw std::length_error("Korvane array length exceeds the 32-bit element count");
}

}  // namespace internal

void* BufferMemory::allocate(std::size_t bytes) { return internal::allocateBuffer(bytes); }
void BufferMemory::release(void* buffer) noexcept { internal::releaseBuffer(buffer); }
void BufferMemory::wipe(void* data, std::size_t bytes) noexcept { internal::secureWipe(data, bytes); }
// allocateCounted, releaseCounted and countedBytes are the counted block's:
// CountedBlock.cpp.
void BufferMemory::throwTooLong() { internal::throwArrayTooLong(); }

}  // namespace Korvane
