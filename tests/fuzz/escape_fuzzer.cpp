// String::removeEscapes against a std::string model, and the round trip:
// removeEscapes with a one-character escape undoes escapeString with that
// escape whenever the escape is not itself special.
//
// Input: text 0xFF specials 0xFF escape 0xFF escape set.
#include "FuzzSupport.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

// The part of `s` a C string routine sees.
std::string cString(const std::string& s) { return std::string(s.c_str()); }

std::string removeModel(const std::string& text, const std::string& escapes) {
    const std::string set = cString(escapes);
    auto isEscape = [&](char c) { return c != '\0' && set.find(c) != std::string::npos; };
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (!isEscape(text[i])) {
            result += text[i++];
        } else if (i + 1 < text.size() && isEscape(text[i + 1])) {
            result += text[i + 1];
            i += 2;
        } else {
            i += 1;
        }
    }
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string text = pieces.next(), specials = pieces.next(), escape = pieces.next(),
                      escapes = pieces.next();

    // Escaping only adds characters: each escape in the text is doubled and
    // each special character (NUL always) gets one in front.
    String escaped = korvane_fuzz::text(text);
    escaped.escapeString(korvane_fuzz::text(specials), korvane_fuzz::text(escape));
    FUZZ_CHECK(escape.empty() ? escaped.length() == text.size() : escaped.length() >= text.size());

    String removed = korvane_fuzz::text(text);
    removed.removeEscapes(korvane_fuzz::text(escapes));
    FUZZ_CHECK(korvane_fuzz::str(removed) == removeModel(text, escapes));

    // The round trip, with the first character of `escape` as the escape.
    if (!escape.empty() && escape[0] != '\0') {
        const char e = escape[0];
        const std::string set = cString(specials);
        if (set.find(e) == std::string::npos) {
            String trip = korvane_fuzz::text(text);
            trip.escapeString(korvane_fuzz::text(specials), String(e));
            trip.removeEscapes(String(e));
            FUZZ_CHECK(korvane_fuzz::str(trip) == text);
        }
    }
    return 0;
}
