#include "time/TokenCursor.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "korvane/QuillonException.h"
#include "korvane/String.h"

namespace Korvane {
namespace internal {

TokenCursor::TokenCursor(const char* text, const char* delimiters) : rest(text), stopBits{1, 0, 0, 0} {
    for (; *delimiters != '\0'; ++delimiters) {
        const unsigned char u = static_cast<unsigned char>(*delimiters);
        stopBits[u >> 6] |= std::uint64_t(1) << (u & 63);
    }
}

void TokenCursor::throwNoMoreTokens() {
    throw QuillonException(QuillonError::NoMoreTokens, "StringTokenizer::nextToken()", String());
}

int tokenToIntOfAnyForm(const Token& token) {
    // String::toInt on a copy of the token: leading '0's skipped, the rest
    // read completely with strtol base 0 or the value is 0, saturated to int.
    const char* digits = token.start;
    const char* const end = token.start + token.length;
    while (digits < end && *digits == '0') ++digits;
    const unsigned int remaining = static_cast<unsigned int>(end - digits);
    // The common case, a short run of decimal digits, is exactly its value;
    // signs, blanks, hexadecimal and long runs go through strtol below.
    if (remaining <= 9) {
        int value = 0;
        unsigned int i = 0;
        while (i < remaining && digits[i] >= '0' && digits[i] <= '9')
            value = value * 10 + (digits[i++] - '0');
        if (i == remaining) return value;
    }
    char piece[32];
    if (remaining >= sizeof piece) return String(digits, remaining).toInt();
    for (unsigned int i = 0; i < remaining; ++i) piece[i] = digits[i];
    piece[remaining] = '\0';
    char* stop = nullptr;
    const long value = std::strtol(piece, &stop, 0);
    if (*stop != '\0') return 0;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace internal
}  // namespace Korvane
