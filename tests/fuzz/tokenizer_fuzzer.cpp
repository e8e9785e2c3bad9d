// StringTokenizer against strtok: with no escapes the tokens are exactly
// its pieces, with escapes never more. Then the reading interface: nextToken
// to the end and its error 21, hasToken, reset, reverse, copies and
// assignment.
//
// Input: text 0xFF delimiters 0xFF escapes 0xFF probe.
#include <string.h>

#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/StringTokenizer.h"

using namespace Korvane;

namespace {

// strtok's pieces of the text (up to its first NUL) at the delimiters (up
// to theirs).
std::vector<std::string> strtokPieces(const std::string& text, const std::string& delimiters) {
    std::vector<std::string> pieces;
    std::string copy(text.c_str());
    char* state = nullptr;
    for (char* piece = strtok_r(&copy[0], delimiters.c_str(), &state); piece != nullptr;
         piece = strtok_r(nullptr, delimiters.c_str(), &state))
        pieces.push_back(piece);
    return pieces;
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
    std::vector<std::string> expected = drain(tokenizer);
    const std::vector<std::string> plain = strtokPieces(text, delimiters);
    // Without escapes the tokens are strtok's pieces; an escaped delimiter
    // joins pieces, so there are never more tokens than pieces.
    if (std::string(escapes.c_str()).empty()) FUZZ_CHECK(expected == plain);
    FUZZ_CHECK(expected.size() <= plain.size());
    for (const std::string& token : expected)
        FUZZ_CHECK(!token.empty() && tokenizer.hasToken(korvane_fuzz::text(token)));
    FUZZ_CHECK(tokenizer.countTokens() == expected.size());
    tokenizer.reset();
    const unsigned int taken = data[0] % (expected.size() + 1);
    for (unsigned int i = 0; i < taken; ++i) tokenizer.nextToken();
    StringTokenizer copy(tokenizer);
    FUZZ_CHECK(drain(tokenizer) == std::vector<std::string>(expected.begin() + taken, expected.end()));
    // String equality sees the probe up to its first NUL.
    const bool isToken = std::find(expected.begin(), expected.end(), std::string(probe.c_str())) != expected.end();
    FUZZ_CHECK(tokenizer.hasToken(korvane_fuzz::text(probe)) == isToken);

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
