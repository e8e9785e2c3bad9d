#include "regex/RegexFailureMemory.h"

#include <cstdlib>

namespace Korvane {
namespace regex {

bool FailureMemory::take(std::size_t rows, std::size_t positions) {
    release();
    if (rows == 0 || positions > kBitLimit) return false;
    const std::size_t rowBits = (positions + 63) / 64 * 64;
    if (rowBits > kBitLimit / rows) return false;
    // calloc maps large blocks as untouched zero pages, so a search pays
    // only for the rows and stretches it actually marks.
    bits = static_cast<std::uint64_t*>(std::calloc(rows * rowBits / 64, sizeof(std::uint64_t)));
    if (bits == nullptr) return false;
    stride = rowBits;
    return true;
}

void FailureMemory::release() {
    std::free(bits);
    bits = nullptr;
    stride = 0;
}

}  // namespace regex
}  // namespace Korvane
