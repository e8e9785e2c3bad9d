// A non-allocating reader of the tokens that StringTokenizer gives for a
// text split at a set of delimiters with no escape characters: the maximal
// runs of non-delimiter characters, up to the text's first NUL. The RFC 822
// reader walks its few tokens once and keeps none of them, so it reads them
// in place instead of building a String per token; running out of tokens
// throws exactly what StringTokenizer::nextToken throws.
#pragma once

namespace Korvane {
namespace internal {

struct Token {
    const char* start;
    unsigned int length;
};

class TokenCursor {
public:
    TokenCursor(const char* text, const char* delimiters) : rest(text), delimiters(delimiters) {}

    // The next token; QuillonException 21 ("No more tokens") at
    // "StringTokenizer::nextToken()" with empty extra text when none is left.
    Token nextToken();

private:
    const char* rest;
    const char* delimiters;
};

// The same value as String(token).toInt().
int tokenToInt(const Token& token);

}  // namespace internal
}  // namespace Korvane
