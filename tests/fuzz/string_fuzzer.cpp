// String and ByteArray operations against std::string as a model.
#include <cstring>

#include "FuzzSupport.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {
std::string cString(const std::string& s) { return s.substr(0, std::strlen(s.c_str())); }
std::string of(const String& s) { return std::string(s.getData(), s.length()); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string text = pieces.next(), needle = pieces.next(), set = pieces.next();
    const std::string ctext = cString(text), cneedle = cString(needle);

    String s(text.c_str());
    FUZZ_CHECK(of(s) == ctext);
    const int index = s.findIndex(String(needle.c_str()));
    const auto expected = ctext.find(cneedle);
    FUZZ_CHECK(index == (expected == std::string::npos ? -1 : static_cast<int>(expected)));

    String trimmed(s);
    trimmed.remove(String(set.c_str()));
    std::string model;
    for (char c : ctext) {
        if (cString(set).find(c) == std::string::npos) model += c;
    }
    FUZZ_CHECK(set.empty() || cString(set).empty() ? true : of(trimmed) == model);

    const unsigned int start = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    const String piece = s.substring(start, static_cast<unsigned int>(needle.size()));
    FUZZ_CHECK(of(piece) == cString(ctext.substr(std::min<std::size_t>(start, ctext.size()), needle.size())));
    (void)s.toInt();
    (void)s.findi(String(needle.c_str()), static_cast<int>(start) - 128);

    ByteArray bytes(text.data(), static_cast<unsigned int>(text.size()));
    ByteArray pattern(needle.data(), static_cast<unsigned int>(needle.size()));
    const auto raw = text.find(needle, start);
    FUZZ_CHECK(bytes.find(pattern, start) == (raw == std::string::npos || start > text.size() ? -1 : static_cast<int>(raw)));
    FUZZ_CHECK(bytes.subBytes(start, 7).length() == std::min<std::size_t>(7, start > text.size() ? 0 : text.size() - start));
    return 0;
}
