// glibc's iconv as the independent peer of the UTF-8 tests.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane_test {

// `input` converted from encoding `from` to `to`; nothing when iconv rejects
// any part of it (an invalid or incomplete sequence).
inline std::optional<std::string> iconvConvert(const char* from, const char* to, const std::string& input) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

// 16-bit units as the little-endian bytes iconv's "UCS-2LE" reads.
inline std::string ucs2Bytes(const std::vector<unsigned short>& units) {
    std::string bytes;
    for (unsigned short u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

inline std::vector<unsigned short> ucs2Units(const std::string& bytes) {
    std::vector<unsigned short> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<unsigned short>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

}  // namespace korvane_test
