// The byte order of the machine, asked of the compiler in this one place,
// for the code that moves whole words between memory and a fixed byte order.
// Everything else reads and writes bytes one at a time with shifts, which
// gives the same result in either order.
#pragma once

#include <cstdint>
#include <cstring>

namespace Korvane {
namespace internal {

#if defined(__BYTE_ORDER__) && defined(__ORDER_BIG_ENDIAN__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr bool kBigEndianHost = true;
#elif (defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__) && \
       __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) || defined(_WIN32)
constexpr bool kBigEndianHost = false;
#else
#error "unknown byte order: the compiler defines no __BYTE_ORDER__"
#endif

// The eight bytes of x in the opposite order.
inline std::uint64_t byteSwap(std::uint64_t x) { return __builtin_bswap64(x); }

// The eight bytes at `bytes` as a number, the first least significant.
inline std::uint64_t loadLittleEndian(const unsigned char* bytes) {
    std::uint64_t x;
    std::memcpy(&x, bytes, sizeof x);
    return kBigEndianHost ? byteSwap(x) : x;
}

// x into eight bytes at `bytes`, least significant first.
inline void storeLittleEndian(unsigned char* bytes, std::uint64_t x) {
    if (kBigEndianHost) x = byteSwap(x);
    std::memcpy(bytes, &x, sizeof x);
}

}  // namespace internal
}  // namespace Korvane
