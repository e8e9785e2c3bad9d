// UTF-8 against glibc's iconv: the UCS-2 conversions for every unit. Arbitrary
// bytes against a decoder written from the rules, the Latin-1 conversions and
// their replacement character are the utf8 fuzz target's.
#include <iconv.h>

#include <sstream>
#include <stdexcept>
#include <vector>

#include "TestSupport.h"
#include "korvane/UTF8String.h"
#include "text/Utf8Conversion.h"

using namespace Korvane;
using korvane_test::str;
using Units = std::vector<unsigned short>;

namespace {

// The UTF-8 of one UCS-2 unit by glibc's iconv; nothing when iconv refuses it.
std::optional<std::string> iconvUtf8(unsigned short unit) {
    static const iconv_t converter = iconv_open("UTF-8", "UCS-2LE");
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)}, out[8];
    char *from = in, *to = out;
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    if (iconv(converter, &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, sizeof out - outLeft);
}

std::optional<std::string> encode(Units units) {
    units.push_back(0);
    SmartPointer<unsigned char> out = internal::encodeUcs2AsUtf8(units.data());
    if (out.get() == nullptr) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(out.get()));
}

std::optional<Units> decode(const std::string& in) {
    SmartPointer<unsigned short> units = internal::decodeUtf8AsUcs2(reinterpret_cast<const unsigned char*>(in.c_str()));
    if (units.get() == nullptr) return std::nullopt;
    Units result;
    for (const unsigned short* u = units.get(); *u != 0; ++u) result.push_back(*u);
    return result;
}

std::string bytes(const UTF8String& u) { return std::string(reinterpret_cast<const char*>(u.getData()), u.length()); }
UTF8String utf8(const std::string& raw) { return UTF8String(reinterpret_cast<const unsigned char*>(raw.c_str())); }
String text(const std::string& raw) { return String(raw.data(), static_cast<unsigned int>(raw.size())); }

}  // namespace

TEST(Utf8ConversionTest, EveryUnitEncodesLikeIconvAndDecodesBack) {
    for (unsigned int unit = 1; unit <= 0xFFFF; ++unit) {
        const Units one{static_cast<unsigned short>(unit)};
        const std::optional<std::string> ours = encode(one);
        // iconv refuses lone surrogates; they are kept as three-byte forms here.
        const std::string surrogate{'\xED', static_cast<char>(0x80 | ((unit >> 6) & 0x3F)),
                                    static_cast<char>(0x80 | (unit & 0x3F))};
        ASSERT_EQ(ours, unit >= 0xD800 && unit <= 0xDFFF ? surrogate : iconvUtf8(one[0])) << std::hex << unit;
        ASSERT_EQ(decode(*ours), one) << std::hex << unit;
    }
    EXPECT_EQ(internal::encodeUcs2AsUtf8(nullptr).get(), nullptr);
    EXPECT_EQ(internal::decodeUtf8AsUcs2(nullptr).get(), nullptr);
    EXPECT_EQ(decode(std::string("a\0\x80", 3)), Units{'a'});  // the first zero ends the input
}

// Building from bytes and Strings and appending are the utf8 fuzz target's.
TEST(UTF8StringTest, AssigningAndOutput) {
    const unsigned char raw[] = {0xC3, 0x28, 0xFF, 0, 0x41};
    UTF8String u(raw);  // taken as they are, up to the first zero
    const UTF8String copy(u);
    u.fromString(text(std::string("\xe9t\0cd", 5)));  // up to an embedded NUL
    EXPECT_EQ(bytes(u) + bytes(copy), "\xC3\xA9t\xC3\x28\xFF");
    u.fromString(String());
    EXPECT_EQ(u.length(), 0u);
    u = utf8("2nd");
    EXPECT_TRUE(u == utf8("2nd") && !(u == utf8("2n")) && UTF8String(nullptr) == UTF8String());
    std::ostringstream out;
    out << UTF8String(String("x\xe9")) << UTF8String() << utf8("\xFF");
    EXPECT_EQ(out.str(), "x\xC3\xA9\xFF");
}
