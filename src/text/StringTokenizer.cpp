#include "korvane/StringTokenizer.h"

#include <algorithm>
#include <cstring>
#include <string.h>

#include "korvane/QuillonException.h"

namespace Korvane {

namespace {

// The characters of a set's text, before its first NUL; the terminator is
// not a member.
class CharacterSet {
public:
    explicit CharacterSet(const char* set) {
        for (; *set != '\0'; ++set) members[static_cast<unsigned char>(*set)] = true;
    }
    bool contains(char c) const { return members[static_cast<unsigned char>(c)]; }

private:
    bool members[256] = {};
};

}  // namespace

// The pieces come from strtok_r, which merges runs of delimiters, while the
// escape check walks the text one delimiter character per piece. The two
// walks drift apart on runs of delimiters; the tokens are whatever this pairing
// gives, which is what callers of the library have always seen.
StringTokenizer::StringTokenizer(const String& text, const String& delimiters,
                                 const String& escapes)
    : current(0) {
    const unsigned int length = text.length();
    if (length == 0) return;
    const char* delimiterSet = delimiters.getData();
    const CharacterSet isDelimiter(delimiterSet);
    const CharacterSet isEscape(escapes.getData());
    const char* original = text.getData();

    // strtok_r writes a NUL over the first delimiter behind each piece; the
    // escape test below reads that modified copy on purpose, so a character
    // that is both a delimiter and an escape stops escaping once it has ended
    // a piece. Pieces are kept as positions in the copy and become Strings
    // only as tokens.
    std::vector<char> split(original, original + length + 1);
    std::vector<const char*> pieces;
    char* state = nullptr;
    for (char* piece = strtok_r(split.data(), delimiterSet, &state); piece != nullptr;
         piece = strtok_r(nullptr, delimiterSet, &state))
        pieces.push_back(piece);
    tokens.reserve(pieces.size());

    const std::size_t pieceCount = pieces.size();
    // The token being built: a piece as it stands until an escaped delimiter
    // joins something to it.
    const char* plainToken = pieceCount == 0 ? "" : pieces[0];
    String joinedToken;
    bool joined = false;
    auto finishToken = [&]() {
        if (joined)
            tokens.push_back(joinedToken);
        else
            tokens.emplace_back(plainToken);
        joined = false;
    };
    // The first delimiter of the whole text at or after `from`, or `length`:
    // strcspn stops at delimiters and at embedded NULs, which are none.
    auto nextDelimiter = [&](unsigned int from) {
        while (from < length) {
            from += static_cast<unsigned int>(std::strcspn(original + from, delimiterSet));
            if (from >= length || original[from] != '\0') return from;
            ++from;
        }
        return length;
    };
    std::size_t next = 0;
    unsigned int position = 0;
    while (next < pieceCount) {
        ++next;
        const unsigned int delimiter = nextDelimiter(position);
        const bool found = delimiter < length;
        position = found ? delimiter + 1 : length;
        const bool escaped = found && position >= 2 && isEscape.contains(split[position - 2]);
        if (!escaped) {
            finishToken();
            if (next < pieceCount) plainToken = pieces[next];
            continue;
        }
        if (!joined) {
            joinedToken = plainToken;
            joined = true;
        }
        joinedToken += original[position - 1];
        if (position < length && isDelimiter.contains(original[position])) {
            // The following piece is not joined now: the next scan ends the
            // token at the delimiter that follows.
            --next;
        } else if (next < pieceCount) {
            joinedToken += pieces[next];
        } else {
            // An escaped delimiter with nothing left to join: the token ends
            // here, escape and delimiter included ("a\," gives "a\,").
            finishToken();
            break;
        }
    }
}

StringTokenizer::StringTokenizer(const StringTokenizer& other) = default;

StringTokenizer& StringTokenizer::operator=(const StringTokenizer& other) = default;

StringTokenizer::~StringTokenizer() {}

unsigned int StringTokenizer::countTokens() const {
    return static_cast<unsigned int>(tokens.size());
}

const String& StringTokenizer::nextToken() {
    if (current < countTokens()) return tokens[current++];
    throw QuillonException(QuillonError::NoMoreTokens, "StringTokenizer::nextToken()", String());
}

bool StringTokenizer::hasToken() const { return current < countTokens(); }

bool StringTokenizer::hasToken(const String& s) const {
    return std::any_of(tokens.begin(), tokens.end(),
                       [&s](const String& token) { return token == s; });
}

void StringTokenizer::reset() { current = 0; }

void StringTokenizer::reverse() { std::reverse(tokens.begin(), tokens.end()); }

}  // namespace Korvane
