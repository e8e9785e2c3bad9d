#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "TextTestSupport.h"

using namespace Korvane;
using korvane_test::bytes;

namespace {
ByteArray of(std::initializer_list<int> values) {
    ByteArray b;
    for (int v : values) b += static_cast<char>(v);
    return b;
}
}  // namespace

TEST(ByteArrayTest, Construction) {
    EXPECT_EQ(bytes(ByteArray("abc")), "abc");
    EXPECT_EQ(ByteArray(static_cast<const char*>(nullptr)).length(), 0u);
    EXPECT_EQ(ByteArray(static_cast<const unsigned char*>(nullptr), 4u).length(), 0u);
    EXPECT_EQ(bytes(ByteArray("a\0b", 3u)), std::string("a\0b", 3));
    EXPECT_EQ(bytes(ByteArray("abcdef", 2u, 3u)), "cde");
    EXPECT_EQ(bytes(ByteArray(3u, 'x')), "xxx");
    EXPECT_EQ(bytes(ByteArray('\0')), std::string(1, '\0'));
    ByteArray source("xyz");
    ByteArray copy(source);
    copy[0] = 'q';
    EXPECT_EQ(bytes(source), "xyz");
}

TEST(ByteArrayTest, SlicingAndSearch) {
    const ByteArray b = of({1, 2, 3});
    EXPECT_EQ(b.right(1), of({2, 3}));
    EXPECT_EQ(b.right(3).length(), 0u);
    EXPECT_EQ(b.left(2), of({1, 2}));
    EXPECT_EQ(b.left(9), b);
    EXPECT_EQ(b.subBytes(1, 10), of({2, 3}));
    EXPECT_EQ(b.subBytes(3, 1).length(), 0u);
    EXPECT_EQ(b.subBytes(4, 1).length(), 0u);
    // find: the random comparison below covers the rest.
    EXPECT_EQ(b.find(of({2, 3})), 1);
    EXPECT_EQ(b.find(ByteArray()), 0);
    EXPECT_EQ(b.find(ByteArray(), 3), 3);
    EXPECT_EQ(b.find(ByteArray(), 4), -1);
    const ByteArray tagged("a<bc>d<e>");
    EXPECT_EQ(bytes(tagged.subBytes(ByteArray("<"), ByteArray(">"))), "bc");
    EXPECT_EQ(ByteArray("a<>").subBytes(ByteArray("<"), ByteArray(">")).length(), 0u);
    EXPECT_EQ(ByteArray("a>b<").subBytes(ByteArray("<"), ByteArray(">")).length(), 0u);
}

TEST(ByteArrayTest, FindAgreesWithStdStringSearch) {
    std::mt19937 random(20261205);
    for (int round = 0; round < 3000; ++round) {
        std::string hay(random() % 40, 'a'), needle(random() % 4, 'a');
        for (auto& c : hay) c = static_cast<char>('a' + random() % 3);
        for (auto& c : needle) c = static_cast<char>('a' + random() % 3);
        const unsigned int from = random() % 45;
        const auto expected = from > hay.size() ? std::string::npos : hay.find(needle, from);
        const int found = ByteArray(hay.data(), static_cast<unsigned int>(hay.size()))
                              .find(ByteArray(needle.data(), static_cast<unsigned int>(needle.size())), from);
        EXPECT_EQ(found, expected == std::string::npos ? -1 : static_cast<int>(expected))
            << "hay " << hay << " needle " << needle << " from " << from;
    }
}

TEST(ByteArrayTest, IntegerConversionFoldsEveryFourBytes) {
    EXPECT_EQ(of({1, 2, 3, 4}).toInt(), 67305985u);
    EXPECT_EQ(of({1, 0, 0, 0, 1}).toInt(), 1u);
    EXPECT_EQ(of({0xFF}).toInt(), 255u);
    EXPECT_EQ(of({0, 0, 0, 0, 0, 0x80}).toLong(), 0x8000ul);
    EXPECT_EQ(ByteArray().toInt(), 0u);
}

TEST(ByteArrayTest, ComparisonAndComplement) {
    ByteArray b = of({0, 0xFF, 0x0F});
    ~b;
    EXPECT_EQ(b, of({0xFF, 0, 0xF0}));
    EXPECT_TRUE(of({1, 2}) < of({1, 2, 0}));
    EXPECT_FALSE(of({1, 2, 0}) < of({1, 2}));
    EXPECT_TRUE(of({1, 0xFF}) < of({2}));
    EXPECT_EQ(ByteArray(), ByteArray(0u));
    EXPECT_NE(of({1}), of({1, 1}));
    EXPECT_TRUE(of({7}).equals(of({7})));
}

TEST(ByteArrayTest, AppendingAndConcatenation) {
    ByteArray a = of({1, 2});
    a += a;
    EXPECT_EQ(a, of({1, 2, 1, 2}));
    a += String("x\0y", 3u);  // stops at the NUL: the String holds "x"
    a += static_cast<const char*>(nullptr);
    a += 'z';
    EXPECT_EQ(bytes(a), std::string("\x01\x02\x01\x02xz", 6));
    const ByteArray base("ab");
    EXPECT_EQ(bytes(base + ByteArray("c") + "d" + 'e' + String("f")), "abcdef");
    EXPECT_EQ(bytes(base), "ab");
    std::ostringstream out;
    out << ByteArray("a\0b", 3u);
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
    ByteArray& alias = a;
    a = alias;
    EXPECT_EQ(a.length(), 6u);
}
