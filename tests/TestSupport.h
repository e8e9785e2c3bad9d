// Helpers shared by the tests of every subsystem: text and bytes as
// std::string, the check of a library error, and the seed of every random
// generator. Every test includes it, directly or through its subsystem's
// support header, and takes GoogleTest, the standard headers and the value
// types included here from it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "korvane/ByteArray.h"
#include "korvane/Exception.h"
#include "korvane/String.h"

#include "FreshDirectory.h"

namespace korvane_test {

// All characters of a String, embedded NULs included.
inline std::string str(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

inline std::string bytes(const Korvane::ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}

inline Korvane::ByteArray byteArray(const std::string& s) {
    return Korvane::ByteArray(s.data(), static_cast<unsigned int>(s.size()));
}

// A String of every character of `s`: the char constructors stop at a NUL.
inline Korvane::String makeString(const std::string& s) {
    Korvane::String result;
    for (char c : s) result += c;
    return result;
}

// Exposes the storage fields that the value classes keep protected.
template <class Value>
struct StorageView : Value {
    using Value::Value;
    using Value::operator=;
    unsigned int capacityForTest() const { return this->capacity; }
    bool terminatorIsZero() const { return this->getData()[this->elementCount] == 0; }
};

// Checks that `action` throws an ExceptionType holding exactly this one
// LIB_QUILLON entry; an `extra` of std::nullopt is not compared.
template <class ExceptionType = Korvane::Exception, class Action>
void expectError(Action&& action, int errNo, const std::string& location,
                 const std::optional<std::string>& extra = std::string()) {
    try {
        action();
        ADD_FAILURE() << "no exception; expected error " << errNo << " at " << location;
    } catch (const ExceptionType& e) {
        EXPECT_EQ(e.getErrorStackSize(), 1u);
        EXPECT_EQ(e.getLib(0), Korvane::Exception::LIB_QUILLON);
        EXPECT_EQ(e.getErrNo(0), errNo);
        EXPECT_EQ(str(e.getErrLocation(0)), location);
        if (extra) {
            EXPECT_EQ(str(e.getExtraInfo(0)), *extra);
        }
    }
}

// What `action` throws, as what() tells it; "no exception" when it returns.
template <class Action>
std::string thrownText(Action&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no exception";
}

// The seed of a random generator: `fixed`, or KORVANE_TEST_SEED (decimal or
// 0x hexadecimal) when set. Printed with the test's output, so that a
// failure can be replayed.
inline std::uint64_t testSeed(std::uint64_t fixed) {
    const char* chosen = std::getenv("KORVANE_TEST_SEED");
    const std::uint64_t seed = chosen != nullptr && *chosen != '\0' ? std::strtoull(chosen, nullptr, 0) : fixed;
    std::printf("random seed %llu (KORVANE_TEST_SEED=%llu replays it)\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed));
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

// The turns of a seeded random loop: `turns`, times KORVANE_TEST_SCALE when
// that is set (a fraction, such as 0.1 under an emulator, where every turn
// costs many times more), but never fewer than `least`, which a loop sets
// to keep every case that its turn number picks.
inline int scaledTurns(int turns, int least = 1) {
    const char* scale = std::getenv("KORVANE_TEST_SCALE");
    if (scale == nullptr || *scale == '\0') return turns;
    const int scaled = static_cast<int>(turns * std::strtod(scale, nullptr));
    return scaled > least ? scaled : least;
}

// A fresh temporary directory, removed with its contents at the end; with
// `enter`, the working directory for as long as it lives.
class ScratchDirectory {
public:
    explicit ScratchDirectory(bool enter = false)
        : previous_(std::filesystem::current_path()), path_(makeFreshDirectory("korvane-")) {
        if (enter) std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path previous_, path_;
};

// A whole file through the standard streams, the independent reader.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<cannot open>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace korvane_test
