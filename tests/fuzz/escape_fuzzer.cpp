// String::escapeString and String::removeEscapes against std::string models,
// and the round trip: removeEscapes with a one-character escape undoes
// escapeString with that escape whenever the escape is not itself special.
//
// Input: text 0xFF specials 0xFF escape 0xFF escape set.
#include <algorithm>
#include <cstring>

#include "FuzzSupport.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

// The part of `s` a C string routine sees.
std::string cString(const std::string& s) { return std::string(s.c_str()); }

std::string escapeModel(const std::string& text, const std::string& specials,
                        const std::string& escape) {
    std::string doubled;
    if (escape.empty()) {
        doubled = text;
    } else {
        std::size_t from = 0;
        for (std::size_t hit = text.find(escape); hit != std::string::npos;
             hit = text.find(escape, from)) {
            doubled += text.substr(from, hit - from) + escape + escape;
            from = hit + escape.size();
        }
        doubled += text.substr(from);
    }
    // Membership goes through a C string search, so NUL is found in any set
    // and the set ends at its first NUL.
    const std::string set = cString(specials);
    std::string result;
    for (char c : doubled) {
        if (c == '\0' || set.find(c) != std::string::npos) result += escape;
        result += c;
    }
    return result;
}

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

    String escaped = korvane_fuzz::text(text);
    escaped.escapeString(korvane_fuzz::text(specials), korvane_fuzz::text(escape));
    const std::string expected = escapeModel(text, specials, escape);
    FUZZ_CHECK(korvane_fuzz::str(escaped) == expected);

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
