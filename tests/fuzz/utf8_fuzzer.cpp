// The UTF-8 decoder on arbitrary bytes: whatever it accepts must encode back
// to exactly the same bytes (there is one encoding of each unit, overlong
// forms being rejected), and text of Latin-1 characters must survive the trip
// through UTF8String and String.
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "korvane/String.h"
#include "korvane/UTF8String.h"
#include "text/Utf8Conversion.h"

using namespace Korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const unsigned char* text = reinterpret_cast<const unsigned char*>(input.c_str());

    SmartPointer<unsigned short> units = internal::decodeUtf8AsUcs2(text);
    bool latin1 = true;
    if (units.get() != nullptr) {
        SmartPointer<unsigned char> again = internal::encodeUcs2AsUtf8(units.get());
        FUZZ_CHECK(std::strcmp(reinterpret_cast<const char*>(again.get()), input.c_str()) == 0);
        for (const unsigned short* u = units.get(); *u != 0; ++u) latin1 = latin1 && *u <= 0xFF;
    }

    const UTF8String utf8(text);
    const String decoded = utf8.toString('?');
    FUZZ_CHECK(units.get() != nullptr || decoded.length() == 0);
    if (units.get() != nullptr && latin1) FUZZ_CHECK(UTF8String(decoded) == utf8);

    // Any 8-bit text up to its first NUL encodes and decodes back unchanged.
    const String original(input.c_str());
    FUZZ_CHECK(UTF8String(original).toString(0) == original);
    return 0;
}
