/// StringTokenizer: splits a text into tokens once, when it is built, and
/// hands them out one at a time.
///
/// Tokens are the runs of characters between delimiter characters; a run of
/// delimiters is one boundary and no token is ever empty. A delimiter right
/// behind an escape character does not end its token: it stays in the token,
/// escape character included. The token list never changes after
/// construction except through reverse() and assignment.
/// @class Korvane::StringTokenizer
/// @headerfile StringTokenizer.h "korvane/StringTokenizer.h"
/// @ingroup text
#pragma once

#include <utility>
#include <vector>

#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API StringTokenizer {
public:
    // ---- Construction --------------------------------------------------
    /// Tokenizes `text` at the characters of `delimiters`; a delimiter behind
    /// a character of `escapes` is kept inside its token. Both sets are read
    /// up to their first NUL; `escapes` may be empty. Runs of delimiters
    /// mixed with escapes give the tokens of the original scanning procedure,
    /// which walks one delimiter character per piece (see the source).
    StringTokenizer(const String& text, const String& delimiters, const String& escapes);
    ///@{
    /// Copies and assignment copy the tokens and the reading position.
    StringTokenizer(const StringTokenizer& other);
    StringTokenizer& operator=(const StringTokenizer& other);
    ///@}
    ///@{
    /// Takes the tokens of `other` over; `other` is left without tokens.
    StringTokenizer(StringTokenizer&& other) noexcept
        : tokens(std::move(other.tokens)), current(other.current) {
        other.current = 0;
    }
    StringTokenizer& operator=(StringTokenizer&& other) noexcept {
        tokens = std::move(other.tokens);
        current = other.current;
        if (this != &other) other.current = 0;
        return *this;
    }
    ///@}
    virtual ~StringTokenizer();

    // ---- Reading the tokens --------------------------------------------
    /// The total number of tokens; taking tokens does not change it.
    unsigned int countTokens() const;
    /// The next token; the reference stays valid while the tokenizer is
    /// unchanged. With no token left throws QuillonException 21 ("No more
    /// tokens") at "StringTokenizer::nextToken()" and stays where it is.
    const String& nextToken();
    /// True while nextToken() has a token to give.
    bool hasToken() const;
    /// True when any token equals `s`, wherever the reading position stands.
    bool hasToken(const String& s) const;

    // ---- Position and order --------------------------------------------
    /// Starts reading again at the first token.
    void reset();
    /// Reverses the token order in place; the reading position stays as it
    /// is, so it now points into the reversed list.
    void reverse();

private:
    std::vector<String> tokens;
    unsigned int current;
};

}  // namespace Korvane
