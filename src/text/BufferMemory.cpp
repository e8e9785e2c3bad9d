#include "korvane/BufferMemory.h"

#include <cstring>
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

void releaseBuffer(void* buffer) {
    ::operator delete[](buffer);
}

void secureWipe(void* data, std::size_t bytes) {
    if (data == nullptr || bytes == 0) return;
    // A memset right before a release is a dead store the optimiser may
    // remove; explicit_bzero is guaranteed to be performed.
    explicit_bzero(data, bytes);
}

void throwArrayTooLong() {
    throw std::length_error("Korvane array length exceeds the 32-bit element count");
}

}  // namespace internal
}  // namespace Korvane
