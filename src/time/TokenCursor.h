// A non-allocating reader of the tokens that StringTokenizer gives for a
// text split at a set of delimiters with no escape characters: the maximal
// runs of non-delimiter characters, up to the text's first NUL. The RFC 822
// reader walks its few tokens once and keeps none of them, so it reads them
// in place instead of building a String per token; running out of tokens
// throws exactly what StringTokenizer::nextToken throws.
#pragma once

#include <cstdint>

namespace Korvane {
namespace internal {

struct Token {
    const char* start;
    unsigned int length;
};

class TokenCursor {
public:
    TokenCursor(const char* text, const char* delimiters);

    // The next token; QuillonException 21 ("No more tokens") at
    // "StringTokenizer::nextToken()" with empty extra text when none is left.
    Token nextToken() {
        while (isStop(*rest) && *rest != '\0') ++rest;
        if (*rest == '\0') throwNoMoreTokens();
        const char* start = rest;
        while (!isStop(*rest)) ++rest;
        return Token{start, static_cast<unsigned int>(rest - start)};
    }

private:
    // The tokens are a few characters long: a bit per character, tested
    // inline, beats a call to strspn/strcspn per token. The stop set is the
    // delimiters and the NUL that ends the text.
    bool isStop(char c) const {
        const unsigned char u = static_cast<unsigned char>(c);
        return ((stopBits[u >> 6] >> (u & 63)) & 1) != 0;
    }
    [[noreturn]] static void throwNoMoreTokens();

    const char* rest;
    std::uint64_t stopBits[4];
};

// The same value as String(token).toInt() for any token.
int tokenToIntOfAnyForm(const Token& token);

// The same value as String(token).toInt(). A run of up to nine decimal
// digits, the form of every field of a date, is read inline.
inline int tokenToInt(const Token& token) {
    if (token.length <= 9) {
        int value = 0;
        unsigned int i = 0;
        for (; i < token.length; ++i) {
            const unsigned int digit = static_cast<unsigned char>(token.start[i]) - '0';
            if (digit > 9) break;
            value = value * 10 + static_cast<int>(digit);
        }
        if (i == token.length) return value;
    }
    return tokenToIntOfAnyForm(token);
}

}  // namespace internal
}  // namespace Korvane
