#include "text/BufferMemory.h"

#include <string.h>

namespace Korvane {
namespace internal {

// A memset right before a release is a dead store the optimiser may remove;
// explicit_bzero is guaranteed to be performed.
void secureWipe(void* data, std::size_t bytes) noexcept {
    if (data == nullptr || bytes == 0) return;
    explicit_bzero(data, bytes);
}

}  // namespace internal
}  // namespace Korvane
