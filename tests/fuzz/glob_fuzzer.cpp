// RegularExpression::glob2RegularExpression against the conversion rules,
// and the converted pattern compiles and matches exactly the names the glob
// stands for: the glob's own text with each '*' replaced by some text
// matches, and so does nothing that differs from it in a literal character.
//
// Input: glob 0xFF filler text for the stars.
#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexProgram.h"

using namespace Korvane;

namespace {

bool punctuation(unsigned char c) {
    return c > 0x20 && c < 0x7F && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

// The conversion; false when a trailing backslash has nothing to escape.
bool convert(const std::string& glob, std::string& out) {
    out = "^";
    for (std::size_t i = 0; i < glob.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(glob[i]);
        if (c == '*') {
            out += ".*";
        } else if (c == '\\') {
            if (i + 1 == glob.size()) return false;
            out += '\\';
            out += glob[++i];
        } else if (punctuation(c)) {
            out += '\\';
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '$';
    return true;
}

// Whether the whole of `name` matches `pattern` (one search from the start;
// the pattern is anchored at both ends).
bool matchesWhole(const String& pattern, const std::string& name) {
    RegularExpression re(pattern, name.c_str());
    return RegularExpressionInternals::matched(re);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string glob = pieces.next().substr(0, 64);
    const std::string filler = std::string(pieces.next().c_str()).substr(0, 16);

    std::string expected;
    const bool converts = convert(glob, expected);
    String converted;
    try {
        converted = RegularExpression::glob2RegularExpression(korvane_fuzz::text(glob));
        FUZZ_CHECK(converts);
    } catch (const IndexOutOfRange&) {
        FUZZ_CHECK(!converts);
        return 0;
    }
    FUZZ_CHECK(korvane_fuzz::str(converted) == expected);

    // A pattern ends at its first NUL, so only globs without one are whole.
    // Each star is a .* that backtracking tries at every split, so a name is
    // matched only against globs with a few stars.
    const std::string visible(glob.c_str());
    if (visible.size() != glob.size() || std::count(glob.begin(), glob.end(), '*') > 4) return 0;

    // The name the glob spells, each '*' standing for the filler (cut at a
    // NUL, as a subject is).
    std::string name;
    std::vector<std::size_t> literals;  // positions in `name` of literal characters
    for (std::size_t i = 0; i < glob.size(); ++i) {
        if (glob[i] == '*') {
            name += filler.substr(0, (i * 7 + filler.size()) % (filler.size() + 1));
            continue;
        }
        if (glob[i] == '\\') ++i;
        literals.push_back(name.size());
        name += glob[i];
    }
    try {
        FUZZ_CHECK(matchesWhole(converted, name));
        // Without stars, changing one literal character breaks the match.
        if (!literals.empty() && glob.find('*') == std::string::npos) {
            std::string other = name;
            char& c = other[literals[data[0] % literals.size()]];
            c = c == 'x' ? 'y' : 'x';
            FUZZ_CHECK(!matchesWhole(converted, other));
        }
        // The name plus one more character matches only when a star can take it.
        const bool endsWithStar = !glob.empty() && glob.back() == '*' &&
                                  (glob.size() < 2 || glob[glob.size() - 2] != '\\');
        if (!endsWithStar && glob.find('*') == std::string::npos)
            FUZZ_CHECK(!matchesWhole(converted, name + "q"));
    } catch (const QuillonException& e) {
        std::fprintf(stderr, "converted pattern \"%s\" does not compile: error %d\n",
                     converted.getData(), e.getErrNo(0));
        FUZZ_CHECK(false);
    }
    return 0;
}
