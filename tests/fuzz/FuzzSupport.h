// Helpers shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

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
    bool done() const { return offset >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset = 0;
};

}  // namespace korvane_fuzz
