// Helpers shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <time.h>

#include "korvane/String.h"

// Fails the run with a message when a property does not hold.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                  \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

namespace korvane_fuzz {

// Splits the input into pieces at 0xFF bytes, so one input can feed several
// arguments of an operation.
class Pieces {
public:
    Pieces(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    std::string next() {
        std::string piece;
        while (offset < size && data[offset] != 0xFF) piece += static_cast<char>(data[offset++]);
        if (offset < size) ++offset;
        return piece;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset = 0;
};

// A String holding every byte of `s`, embedded NULs included.
inline Korvane::String text(const std::string& s) {
    Korvane::String result;
    for (char c : s) result += c;
    return result;
}

// All characters of `s`, embedded NULs included.
inline std::string str(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

// The machine zone the time targets run under, as a POSIX TZ rule so that no
// zone database is read: a standard offset of 2:15 west, which none of the
// predefined zones has, with a daylight-saving variant. The library reads the
// runtime's `timezone` and `daylight` on every use, so setting them before
// the first input is enough.
inline void useMachineZone(const char* rule = "KRV2:15KRS,M3.2.0,M11.1.0") {
    setenv("TZ", rule, 1);
    tzset();
}

}  // namespace korvane_fuzz
