#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "BitsTestSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/System.h"
#include "text/TextTestSupport.h"

using namespace Korvane;
using korvane_test::byteArray;
using korvane_test::byteVector;
using korvane_test::str;

namespace {

// X.690 8.1.3: short form below 128; otherwise 0x80 | n, then the value in
// the fewest big-endian octets.
std::vector<unsigned char> referenceDerLength(std::uint32_t length) {
    if (length <= 127) return {static_cast<unsigned char>(length)};
    std::vector<unsigned char> octets;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char octet = static_cast<unsigned char>(length >> shift);
        if (!octets.empty() || octet != 0) octets.push_back(octet);
    }
    octets.insert(octets.begin(), static_cast<unsigned char>(0x80 | octets.size()));
    return octets;
}

// Every bit of every byte, most significant first, minus the lowest bits of
// the last byte.
std::string referenceBitString(const std::vector<unsigned char>& bytes, unsigned int unused) {
    std::string text;
    for (unsigned char b : bytes)
        for (int bit = 7; bit >= 0; --bit) text += ((b >> bit) & 1) ? '1' : '0';
    text.resize(text.size() - unused);
    return text;
}

std::uint32_t monotonicClockMillis() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(std::uint64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

// ---- DER length octets -------------------------------------------------------

TEST(SystemTest, DerLengthBoundaries) {
    const struct {
        unsigned int length;
        std::vector<unsigned char> octets;
    } cases[] = {
        {0, {0x00}},           {127, {0x7F}},         {128, {0x81, 0x80}},         {255, {0x81, 0xFF}},
        {256, {0x82, 0x01, 0x00}},                    {65535, {0x82, 0xFF, 0xFF}}, {65536, {0x83, 0x01, 0x00, 0x00}},
        {16777216, {0x84, 0x01, 0x00, 0x00, 0x00}},   {4294967295u, {0x84, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(byteVector(System::getDEREncodedLength(c.length)), c.octets) << c.length;
}

TEST(SystemTest, DerLengthOfRandomValuesFollowsDefiniteLengthRule) {
    const unsigned int seed = 20260801;
    std::mt19937 random(seed);
    for (int round = 0; round < 20000; ++round) {
        // Uniform over bit widths so that every octet count is common.
        const unsigned int width = random() % 33;
        const std::uint32_t value = width == 0 ? 0u : std::uint32_t(random()) >> (32 - width);
        const ByteArray octets = System::getDEREncodedLength(value);
        ASSERT_EQ(byteVector(octets), referenceDerLength(value)) << "seed " << seed << " value " << value;
        ASSERT_EQ(octets.getData()[octets.length()], 0u) << "terminator, seed " << seed;
    }
}

// ---- Insignificant bits ---------------------------------------------------------

TEST(SystemTest, InsignificantBitsCountTheZerosBelowTheLowestSetBitOfTheLastByte) {
    for (int last = 1; last < 256; ++last)
        EXPECT_EQ(System::calcNumberOfInsignificantBits(byteArray({0x55, last})),
                  static_cast<unsigned int>(__builtin_ctz(last)))
            << last;
    EXPECT_EQ(System::calcNumberOfInsignificantBits(byteArray({0x80})), 7u);
    // A zero last byte counts 8, which toBitString refuses.
    EXPECT_EQ(System::calcNumberOfInsignificantBits(byteArray({0xFF, 0x00})), 8u);
    EXPECT_THROW(System::toBitString(byteArray({0xFF, 0x00}), 8), QuillonException);
}

TEST(SystemTest, InsignificantBitsOfAnEmptyArrayFailInElementAccess) {
    try {
        System::calcNumberOfInsignificantBits(ByteArray());
        FAIL() << "no exception";
    } catch (const IndexOutOfRange& e) {
        EXPECT_STREQ(e.toString(),
                     "T Array::operator[](unsigned int) const - Index greater than Array length.");
    }
}

// ---- Bit strings ------------------------------------------------------------------

TEST(SystemTest, BitStringOfNoBytesIsOneZeroByte) {
    for (unsigned int unused = 0; unused <= 7; ++unused)
        EXPECT_EQ(str(System::toBitString(ByteArray(), unused)), "00000000") << unused;
}

TEST(SystemTest, BitStringRejectsMoreThanSevenInsignificantBits) {
    for (unsigned int unused : {8u, 9u, 4294967295u}) {
        for (const ByteArray& bytes : {ByteArray(), byteArray({0xFF})}) {
            try {
                System::toBitString(bytes, unused);
                FAIL() << "no exception for " << unused;
            } catch (const QuillonException& e) {
                EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
                EXPECT_EQ(e.getErrNo(0), 23);
                EXPECT_EQ(str(e.getErrLocation(0)), "System::toBitString()");
                EXPECT_EQ(str(e.getExtraInfo(0)), "");
            }
        }
    }
}

TEST(SystemTest, BitStringOfRandomBytesMatchesBitByBitReference) {
    const unsigned int seed = 20260802;
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const auto bytes = korvane_test::randomBytes(random, 1 + random() % 24);
        const unsigned int unused = random() % 8;
        ASSERT_EQ(str(System::toBitString(byteArray(bytes), unused)), referenceBitString(bytes, unused))
            << "seed " << seed;
    }
}

// ---- Memory and text -----------------------------------------------------------------

TEST(SystemTest, MemoryWrappers) {
    unsigned char block[16];
    EXPECT_EQ(System::memset(block, 0xAB, sizeof block), block);
    EXPECT_EQ(System::memset(block, 0x1FF, 3), block);  // the fill value is cut to a byte
    EXPECT_EQ(block[2], 0xFF);
    EXPECT_EQ(block[15], 0xAB);
    EXPECT_EQ(System::memcmp("abc", "abc", 3), 0);
    EXPECT_LT(System::memcmp("abc", "abd", 3), 0);
    EXPECT_GT(System::memcmp("\xff", "\x01", 1), 0);  // bytes compare unsigned
    EXPECT_EQ(System::memcmp("abx", "aby", 2), 0);
}

TEST(SystemTest, MemcpyHandlesOverlapLikeMemmove) {
    const unsigned int seed = 20260804;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        auto buffer = korvane_test::randomBytes(random, 64);
        auto expected = buffer;
        const unsigned int from = random() % 64, to = random() % 64;
        const unsigned int count = random() % (64 - std::max(from, to) + 1);
        std::memmove(expected.data() + to, expected.data() + from, count);
        EXPECT_EQ(System::memcpy(buffer.data() + to, buffer.data() + from, count), buffer.data() + to);
        ASSERT_EQ(buffer, expected) << "seed " << seed << " from " << from << " to " << to;
    }
}

TEST(SystemTest, IndentEndiannessAndThreadSafeFlag) {
    EXPECT_EQ(str(System::indentString(0)), "");
    EXPECT_EQ(str(System::indentString(40)), std::string(40, ' '));
    const std::uint32_t one = 1;
    unsigned char first;
    std::memcpy(&first, &one, 1);
    EXPECT_EQ(System::littleEndian(), first == 1);
    EXPECT_FALSE(System::threadSafeType);  // clear at load
}

// ---- Clock -------------------------------------------------------------------------------

TEST(SystemTest, MillisecondClockFollowsTheMonotonicClockModulo32Bits) {
    for (int round = 0; round < 100; ++round) {
        const std::uint32_t before = monotonicClockMillis();
        const unsigned long ours = System::getCurrentMillis();
        const std::uint32_t after = monotonicClockMillis();
        ASSERT_LE(ours, 0xFFFFFFFFul);
        ASSERT_LE(std::uint32_t(ours - before), std::uint32_t(after - before));
    }
}

TEST(SystemTest, SleepLastsAtLeastTheGivenTime) {
    const unsigned long before = System::getCurrentMillis();
    System::sleepMillis(25);
    const unsigned long after = System::getCurrentMillis();
    EXPECT_GE(std::uint32_t(after - before), 25u);
    System::sleepMillis(0);
}
