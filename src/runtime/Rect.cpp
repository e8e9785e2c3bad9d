#include "korvane/Rect.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include "korvane/String.h"

namespace Korvane {

namespace {

// strtol where long has 32 bits, as the values do: out-of-range readings
// saturate instead of being cut to their low bits.
int decimalValue(const char* piece) {
    const long value = std::strtol(piece, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

Rect::Rect() : values{0, 0, 0, 0} {}

Rect::Rect(int first, int second, int third, int fourth) : values{first, second, third, fourth} {}

Rect::Rect(const String& text) : values{0, 0, 0, 0} {
    // strtok_r writes into the text it splits, so it works on a copy.
    String pieces(text.getData());
    char* state = nullptr;
    char* piece = strtok_r(pieces.getData(), ",", &state);
    for (int i = 0; i < 4 && piece != nullptr; ++i) {
        values[i] = decimalValue(piece);
        piece = strtok_r(nullptr, ",", &state);
    }
}

Rect::Rect(const Rect& other) = default;

Rect& Rect::operator=(const Rect& other) = default;

Rect::~Rect() = default;

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    // Formatted here so that a stream left in hexadecimal or with a field
    // width still gets the fixed text.
    char text[80];
    const int length = std::snprintf(text, sizeof text, "Rect (%d, %d, %d, %d)", r.first(),
                                     r.second(), r.third(), r.fourth());
    out.write(text, length);
    return out;
}

}  // namespace Korvane
