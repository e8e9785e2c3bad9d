// Array storage through ByteArray, the shared counters, and the ByteArray
// members that StringTest's comparison with std::string leaves out.

#include <sstream>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/ReferenceCounter.h"
#include "korvane/SmartPointer.h"

using namespace Korvane;
using korvane_test::bytes;
using korvane_test::StorageView;

namespace {
ByteArray of(std::initializer_list<int> values) {
    ByteArray b;
    for (int v : values) b += static_cast<char>(v);
    return b;
}
}  // namespace

TEST(ArrayTest, CountersAreAtomicAndSmartPointersReleaseOnce) {
    ReferenceCounter counter;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) threads.emplace_back([&counter] { for (int i = 0; i < 100000; ++i) counter.incReference(); });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(counter.getReferenceCount(), 400000);
    static int released = 0;
    {
        SmartPointer<int> first(new int[4], [](int* p) { ++released, delete[] p; });
        SmartPointer<int> second(first), third;
        third = second;
        EXPECT_EQ(first.getReferenceCount(), 3);
        second.reset(nullptr);
        EXPECT_EQ(first.getReferenceCount(), 2);
        EXPECT_EQ(released, 0);
    }
    EXPECT_EQ(released, 1);
}

TEST(ArrayTest, GrowthByHalfCountingTheTerminator) {
    StorageView<ByteArray> b;
    std::vector<unsigned int> seen{b.capacityForTest()};
    for (int i = 0; i < 60; ++i) {
        const unsigned int before = b.capacityForTest();
        b += static_cast<char>(i);
        if (b.capacityForTest() != before) seen.push_back(b.capacityForTest());
        EXPECT_TRUE(b.terminatorIsZero());
    }
    EXPECT_EQ(seen, (std::vector<unsigned int>{1, 2, 4, 7, 11, 17, 26, 40, 61}));
    EXPECT_EQ(StorageView<ByteArray>(5u).capacityForTest(), 6u);  // reserved room
    StorageView<ByteArray> extended;
    extended[2] = 7;  // a write past the end extends with zeros
    EXPECT_EQ(extended.capacityForTest(), 4u);
    EXPECT_EQ(bytes(extended), std::string("\0\0\x07", 3));
    EXPECT_TRUE(extended.terminatorIsZero());
}

TEST(ArrayTest, ElementAccessMessages) {
    ByteArray b("abc");
    const ByteArray& c = b;
    auto message = [](auto&& access) -> std::string {
        try {
            access();
        } catch (const IndexOutOfRange& e) {
            return e.what();
        }
        return "no exception";
    };
    EXPECT_EQ(message([&] { (void)c[3u]; }), "T Array::operator[](unsigned int) const - Index greater than Array length.");
    EXPECT_EQ(message([&] { (void)c[3]; }), "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(message([&] { (void)ByteArray::emptyArray[0]; }), "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(message([&] { (void)c[-1]; }), "T Array::operator[](int) const - Index is negative.");
    EXPECT_EQ(message([&] { (void)b[-1]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(message([&] { (void)b[0x80000000u]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(message([&] { (void)ByteArray()[0u]; }), "no exception");  // non-const extends
}

TEST(ByteArrayTest, ConstructionConversionAppendingAndComplement) {
    EXPECT_EQ(ByteArray(static_cast<const char*>(nullptr)).length(), 0u);
    EXPECT_EQ(ByteArray(static_cast<const unsigned char*>(nullptr), 4u).length(), 0u);
    EXPECT_EQ(bytes(ByteArray("abcdef", 2u, 3u)), "cde");
    ByteArray source("xyz"), copy(source);
    copy[0] = 'q';
    EXPECT_EQ(bytes(source), "xyz");
    EXPECT_EQ(bytes(ByteArray("a<bc>d<e>").subBytes(ByteArray("<"), ByteArray(">"))), "bc");
    EXPECT_EQ(ByteArray("a>b<").subBytes(ByteArray("<"), ByteArray(">")).length(), 0u);
    EXPECT_EQ(of({1, 2, 3, 4}).toInt(), 67305985u);  // every four bytes folded
    EXPECT_EQ(of({1, 0, 0, 0, 1}).toInt(), 1u);
    EXPECT_EQ(of({0, 0, 0, 0, 0, 0x80}).toLong(), 0x8000ul);
    ByteArray complement = of({0, 0xFF, 0x0F});
    ~complement;
    EXPECT_EQ(complement, of({0xFF, 0, 0xF0}));
    EXPECT_TRUE(of({1, 2}) < of({1, 2, 0}) && of({1, 2}).equals(of({1, 2})) && !of({1}).equals(of({2})));

    ByteArray a = of({1, 2});
    a += a;
    a += String("x\0y", 3u);  // stops at the NUL: the String holds "x"
    a += static_cast<const char*>(nullptr);
    a += 'z';
    ByteArray& alias = a;
    a = alias;
    EXPECT_EQ(bytes(a), std::string("\x01\x02\x01\x02xz", 6));
    const ByteArray base("ab");
    EXPECT_EQ(bytes(base + ByteArray("c") + "d" + 'e' + String("f") + ByteArray(2u, 'x')), "abcdefxx");
    EXPECT_EQ(bytes(base), "ab");
    std::ostringstream out;
    out << ByteArray("a\0b", 3u);
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
}
