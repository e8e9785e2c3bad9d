// glibc's iconv as the independent peer of the UTF-8 tests.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane_test {

// One direction of conversion, opened once and reused for many inputs.
class Iconv {
public:
    Iconv(const char* from, const char* to) : converter(iconv_open(to, from)) {
        if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    }
    ~Iconv() { iconv_close(converter); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // `input` converted; nothing when iconv rejects any part of it (an
    // invalid or incomplete sequence).
    std::optional<std::string> operator()(const std::string& input) const {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 16, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    iconv_t converter;
};

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
