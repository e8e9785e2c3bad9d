// The continuations a search has seen fail: one bit per memo row of the
// program (see Program::memoRowOf) and per subject position from where the
// search started to the end of the subject.
//
// A continuation of this pattern language (no back-references) succeeds or
// fails by its node and position alone, whatever path reached it; so once
// one has failed, every later visit within the same search may fail at once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Korvane {
namespace regex {

class FailureMemory {
public:
    // The most bits the memory takes: 64 MiB.
    static constexpr std::size_t kBitLimit = std::size_t(1) << 29;

    FailureMemory() = default;
    ~FailureMemory() {
        if (bits != nullptr) release();
    }

    // Takes zeroed memory for `rows` rows of `positions` bits. False, with
    // nothing taken, when that is over kBitLimit or the allocation fails.
    bool take(std::size_t rows, std::size_t positions);
    void release();
    bool taken() const { return bits != nullptr; }

    // The bit of memo row `row` (1 up) at `position` (counted from the first
    // position covered).
    bool test(std::uint16_t row, std::size_t position) const {
        const std::size_t bit = (row - 1u) * stride + position;
        return (bits[bit >> 6] >> (bit & 63)) & 1;
    }
    void set(std::uint16_t row, std::size_t position) {
        const std::size_t bit = (row - 1u) * stride + position;
        bits[bit >> 6] |= std::uint64_t(1) << (bit & 63);
    }

private:
    FailureMemory(const FailureMemory&) = delete;
    FailureMemory& operator=(const FailureMemory&) = delete;

    std::uint64_t* bits = nullptr;
    std::size_t stride = 0;  // bits per row, a multiple of 64
};

}  // namespace regex
}  // namespace Korvane
