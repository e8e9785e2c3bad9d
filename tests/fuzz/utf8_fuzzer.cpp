// UTF8String on arbitrary bytes against a decoder written from the rules:
// one- to three-byte sequences, continuation bytes 80..BF, no four-byte
// leads, nothing truncated, overlong forms rejected, surrogate units passed
// through. Whatever is accepted encodes back to exactly the same bytes (each
// unit has one encoding); toString gives the Latin-1 characters and the
// replacement for the others, and the empty String for invalid input; any
// 8-bit text up to its first NUL survives the trip through UTF8String.
//
// Input: a replacement byte, then the bytes.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/String.h"
#include "korvane/UTF8String.h"
#include "text/Utf8Conversion.h"

using namespace Korvane;

namespace {

// The units of `bytes` (up to the first zero byte), or false when invalid.
bool decode(const std::string& input, std::vector<unsigned short>& units) {
    const std::string bytes(input.c_str());
    units.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        unsigned int value;
        if (lead < 0x80) {
            length = 1, value = lead;
        } else if (lead >= 0xC0 && lead <= 0xDF) {
            length = 2, value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, value = lead & 0x0F;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if (c < 0x80 || c > 0xBF) return false;
            value = (value << 6) | (c & 0x3F);
        }
        if ((length == 2 && value < 0x80) || (length == 3 && value < 0x800)) return false;
        units.push_back(static_cast<unsigned short>(value));
        i += length;
    }
    return true;
}

std::string bytesOf(const UTF8String& u) {
    return std::string(reinterpret_cast<const char*>(u.getData()), u.length());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const unsigned short replacement = data[0] == 0xFE ? 0x263A : data[0];
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const unsigned char* text = reinterpret_cast<const unsigned char*>(input.c_str());

    std::vector<unsigned short> expected;
    const bool valid = decode(input, expected);
    SmartPointer<unsigned short> units = internal::decodeUtf8AsUcs2(text);
    FUZZ_CHECK((units.get() != nullptr) == valid);
    if (valid) {
        for (std::size_t i = 0; i < expected.size(); ++i) FUZZ_CHECK(units.get()[i] == expected[i]);
        FUZZ_CHECK(units.get()[expected.size()] == 0);
        SmartPointer<unsigned char> again = internal::encodeUcs2AsUtf8(units.get());
        FUZZ_CHECK(std::strcmp(reinterpret_cast<const char*>(again.get()), input.c_str()) == 0);
    }

    // toString: Latin-1 characters as they are; others as the replacement
    // when it is a character 1..255, dropped otherwise.
    const UTF8String utf8(text);
    FUZZ_CHECK(bytesOf(utf8) == std::string(input.c_str()));
    std::string decoded;
    if (valid) {
        for (unsigned short u : expected) {
            if (u <= 0xFF) decoded += static_cast<char>(u);
            else if (replacement >= 1 && replacement <= 255) decoded += static_cast<char>(replacement);
        }
    }
    FUZZ_CHECK(korvane_fuzz::str(utf8.toString(replacement)) == decoded);

    // Any 8-bit text up to its first NUL encodes to valid UTF-8 of its
    // characters and decodes back; fromString and byte-wise appending agree.
    const String original = korvane_fuzz::text(input);
    const UTF8String encoded(original);
    FUZZ_CHECK(decode(bytesOf(encoded), expected) && expected == std::vector<unsigned short>(text, text + std::strlen(input.c_str())));
    FUZZ_CHECK(korvane_fuzz::str(encoded.toString(0)) == std::string(input.c_str()));
    FUZZ_CHECK(encoded.getData()[encoded.length()] == 0);
    UTF8String built, refilled(utf8);
    for (unsigned char c : std::string(input.c_str())) built += c;
    refilled.fromString(original);
    FUZZ_CHECK(built == utf8 && refilled == encoded);
    return 0;
}
