// StringTokenizer against a model of its scanning procedure (the pieces
// strtok gives, paired with a walk over the delimiter characters of the
// text); with no escapes the tokens are exactly the pieces. Then the reading
// interface: nextToken to the end and its error 21, hasToken, reset,
// reverse, copies and assignment.
//
// Input: text 0xFF delimiters 0xFF escapes 0xFF probe.
#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/StringTokenizer.h"

using namespace Korvane;

namespace {

bool member(char c, const std::string& set) {
    return c != '\0' && std::string(set.c_str()).find(c) != std::string::npos;
}

std::vector<std::string> model(const std::string& text, const std::string& delimiters,
                               const std::string& escapes) {
    std::vector<std::string> tokens;
    if (text.empty()) return tokens;
    // strtok over a copy: the pieces end at the first NUL, and the first
    // delimiter behind each piece is overwritten with NUL.
    std::string split = text;
    std::vector<std::string> pieces;
    const std::size_t end = std::string(text.c_str()).size();
    for (std::size_t i = 0; i < end;) {
        if (member(split[i], delimiters)) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < end && !member(split[j], delimiters)) ++j;
        pieces.push_back(text.substr(i, j - i));
        if (j < end) split[j] = '\0';
        i = j + 1;
    }

    std::string cur = pieces.empty() ? std::string() : pieces[0];
    std::size_t next = 0, pos = 0;
    while (next < pieces.size()) {
        ++next;
        bool found = false;
        while (!found && pos < text.size()) {
            if (member(text[pos], delimiters)) found = true;
            ++pos;
        }
        const bool escaped = found && pos >= 2 && member(split[pos - 2], escapes);
        if (!escaped) {
            tokens.push_back(cur);
            if (next < pieces.size()) cur = pieces[next];
            continue;
        }
        cur += text[pos - 1];
        if (pos < text.size() && member(text[pos], delimiters)) {
            --next;
        } else if (next < pieces.size()) {
            cur += pieces[next];
        } else {
            tokens.push_back(cur);
            break;
        }
    }
    return tokens;
}

// The tokens as nextToken hands them out from the current position on;
// checks the error once they run out.
std::vector<std::string> drain(StringTokenizer& t) {
    std::vector<std::string> result;
    while (t.hasToken()) result.push_back(korvane_fuzz::str(t.nextToken()));
    try {
        t.nextToken();
        FUZZ_CHECK(false);
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 21 &&
                   std::string(e.getErrLocation(0).getData()) == "StringTokenizer::nextToken()");
    }
    FUZZ_CHECK(!t.hasToken());
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string text = pieces.next(), delimiters = pieces.next(), escapes = pieces.next(),
                      probe = pieces.next();

    StringTokenizer tokenizer(korvane_fuzz::text(text), korvane_fuzz::text(delimiters),
                              korvane_fuzz::text(escapes));
    const std::vector<std::string> expected = model(text, delimiters, escapes);
    FUZZ_CHECK(tokenizer.countTokens() == expected.size());
    const unsigned int taken = data[0] % (expected.size() + 1);
    for (unsigned int i = 0; i < taken; ++i) tokenizer.nextToken();
    StringTokenizer copy(tokenizer);
    FUZZ_CHECK(drain(tokenizer) == std::vector<std::string>(expected.begin() + taken, expected.end()));
    FUZZ_CHECK(tokenizer.countTokens() == expected.size());

    for (const std::string& token : expected) {
        FUZZ_CHECK(!token.empty());
        FUZZ_CHECK(tokenizer.hasToken(korvane_fuzz::text(token)));
    }
    // String equality sees the probe up to its first NUL.
    const bool isToken =
        std::find(expected.begin(), expected.end(), std::string(probe.c_str())) != expected.end();
    FUZZ_CHECK(tokenizer.hasToken(korvane_fuzz::text(probe)) == isToken);

    // Without escapes the tokens are the plain pieces.
    if (std::string(escapes.c_str()).empty()) {
        StringTokenizer plain(korvane_fuzz::text(text), korvane_fuzz::text(delimiters), String());
        std::vector<std::string> runs;
        const std::string visible(text.c_str());
        std::string run;
        for (char c : visible) {
            if (member(c, delimiters)) {
                if (!run.empty()) runs.push_back(run);
                run.clear();
            } else {
                run += c;
            }
        }
        if (!run.empty()) runs.push_back(run);
        FUZZ_CHECK(drain(plain) == runs);
    }

    // The copy kept its position; reversing moves the list under it.
    std::vector<std::string> reversed(expected.rbegin(), expected.rend());
    copy.reverse();
    FUZZ_CHECK(drain(copy) == std::vector<std::string>(reversed.begin() + taken, reversed.end()));
    StringTokenizer assigned(String("x y"), String(" "), String());
    assigned = copy;
    assigned.reset();
    FUZZ_CHECK(drain(assigned) == reversed);
    return 0;
}
