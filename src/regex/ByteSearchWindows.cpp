#include "regex/ByteSearch.h"

namespace Korvane {
namespace regex {

// The Windows runtime has neither memmem nor memrchr.
const void* findBytes(const void* text, std::size_t length, const void* needle,
                      std::size_t needleLength) {
    return portableFindBytes(text, length, needle, needleLength);
}

const void* findLastByte(const void* text, int value, std::size_t length) {
    return portableFindLastByte(text, value, length);
}

}  // namespace regex
}  // namespace Korvane
