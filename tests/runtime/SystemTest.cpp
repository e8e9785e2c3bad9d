// System: DER lengths against the X.690 definite-length rule, bit strings
// against a bit-by-bit reference, the memory wrappers, clock and sleep.

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "TestSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/System.h"

using namespace Korvane;
using korvane_test::str;


TEST(SystemTest, DerLengthsFollowTheDefiniteLengthRule) {
    std::mt19937 random(korvane_test::testSeed(20260801));
    for (int round = 0; round < 20000; ++round) {
        // Uniform over bit widths so that every octet count is common, and
        // each width's largest value as well.
        const unsigned int width = random() % 33;
        std::uint32_t value = width == 0 ? 0u : std::uint32_t(random()) >> (32 - width);
        if (round % 8 == 0) value = width == 0 ? 0u : 0xFFFFFFFFu >> (32 - width);
        // X.690 8.1.3: short form up to 127; else 0x80 | n, then the value in
        // the fewest big-endian octets.
        std::vector<unsigned char> expected;
        for (int shift = 24; shift >= 0; shift -= 8)
            if (!expected.empty() || (value >> shift) != 0 || shift == 0)
                expected.push_back(static_cast<unsigned char>(value >> shift));
        if (value > 127) expected.insert(expected.begin(), static_cast<unsigned char>(0x80 | expected.size()));
        const ByteArray octets = System::getDEREncodedLength(value);
        ASSERT_EQ(octets, ByteArray(expected.data(), static_cast<unsigned int>(expected.size()))) << "value " << value;
        ASSERT_EQ(octets.getData()[octets.length()], 0u) << "terminator";
    }
}

TEST(SystemTest, BitStringsMatchBitByBitReference) {
    std::mt19937 random(korvane_test::testSeed(20260802));
    for (int round = 0; round < 3000; ++round) {
        std::vector<unsigned char> data(1 + random() % 24);
        for (auto& b : data) b = static_cast<unsigned char>(random());
        const ByteArray bytes(data.data(), static_cast<unsigned int>(data.size()));
        const unsigned int unused = random() % 8;
        std::string expected;
        for (unsigned char b : data)
            for (int bit = 7; bit >= 0; --bit) expected += ((b >> bit) & 1) ? '1' : '0';
        expected.resize(expected.size() - unused);
        ASSERT_EQ(str(System::toBitString(bytes, unused)), expected);
        // The zeros below the lowest set bit of the last byte; 8 for a zero byte.
        ASSERT_EQ(System::calcNumberOfInsignificantBits(bytes),
                  data.back() == 0 ? 8u : static_cast<unsigned int>(__builtin_ctz(data.back())));
    }
    EXPECT_EQ(str(System::toBitString(ByteArray(), 5)), "00000000");
    EXPECT_THROW(System::calcNumberOfInsignificantBits(ByteArray()), IndexOutOfRange);
    for (unsigned int unused : {8u, 4294967295u})
        korvane_test::expectError<QuillonException>([&] { System::toBitString(ByteArray(), unused); }, 23,
                                                    "System::toBitString()");
}

TEST(SystemTest, MemoryWrappersAndSmallHelpers) {
    // memcpy handles overlap like memmove, in both directions.
    unsigned char buffer[] = "abcdefgh";
    EXPECT_EQ(System::memcpy(buffer + 2, buffer, 5), buffer + 2);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "ababcdeh");
    System::memcpy(buffer, buffer + 3, 4);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "bcdecdeh");
    unsigned char block[4];
    EXPECT_EQ(System::memset(block, 0x1FF, 4), block);  // the fill value is cut to a byte
    EXPECT_EQ(block[3], 0xFF);
    EXPECT_GT(System::memcmp("\xff", "\x01", 1), 0);  // bytes compare unsigned
    EXPECT_EQ(System::memcmp("abx", "aby", 2), 0);
    EXPECT_EQ(str(System::indentString(40)), std::string(40, ' '));
    const std::uint32_t one = 1;
    EXPECT_EQ(System::littleEndian(), *reinterpret_cast<const unsigned char*>(&one) == 1);
    EXPECT_FALSE(System::threadSafeType);  // clear at load
}

// The system's own millisecond count: the monotonic clock, or GetTickCount on Windows.
TEST(SystemTest, MillisecondClockFollowsTheSystemTickModulo32BitsAndSleepWaits) {
    auto monotonic = [] {
#ifdef _WIN32
        return static_cast<std::uint32_t>(GetTickCount());
#else
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::uint32_t>(std::uint64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
#endif
    };
    for (int round = 0; round < 100; ++round) {
        const std::uint32_t before = monotonic();
        const unsigned long ours = System::getCurrentMillis();
        const std::uint32_t after = monotonic();
        ASSERT_LE(ours, 0xFFFFFFFFul);
        ASSERT_LE(std::uint32_t(ours - before), std::uint32_t(after - before));
    }
#ifdef _WIN32
    // GetTickCount moves in steps of 10 to 16 ms, too coarse to time the
    // wait; the steady clock times it.
    const auto before = std::chrono::steady_clock::now();
    System::sleepMillis(25);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(25));
#else
    const unsigned long before = System::getCurrentMillis();
    System::sleepMillis(25);
    EXPECT_GE(std::uint32_t(System::getCurrentMillis() - before), 25u);
#endif
}
