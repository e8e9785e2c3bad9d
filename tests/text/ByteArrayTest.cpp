// Array storage through ByteArray, the shared counters, and the ByteArray
// members that StringTest's comparison with std::string leaves out.
//
// BoolArray and IntArray: the cases the bits fuzz target's models do not
// reach (packing, printing, parsing, trimming and appending of arbitrary
// input are its, replayed from its corpus on every build).
#include <climits>
#include <sstream>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/IntArray.h"
#include "korvane/ReferenceCounter.h"
#include "korvane/SmartPointer.h"

using namespace Korvane;
using namespace korvane_test;
using Bits = std::vector<bool>;
using Ints = std::vector<int>;

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
    EXPECT_EQ(thrownText([&] { (void)c[3u]; }), "T Array::operator[](unsigned int) const - Index greater than Array length.");
    EXPECT_EQ(thrownText([&] { (void)c[3]; }), "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(thrownText([&] { (void)ByteArray::emptyArray[0]; }), "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(thrownText([&] { (void)c[-1]; }), "T Array::operator[](int) const - Index is negative.");
    EXPECT_EQ(thrownText([&] { (void)b[-1]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(thrownText([&] { (void)b[0x80000000u]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(thrownText([&] { (void)ByteArray()[0u]; }), "no exception");  // non-const extends
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

namespace {
BoolArray boolArray(const Bits& bits) {
    BoolArray a;
    for (bool bit : bits) a += bit;
    return a;
}
Bits elements(const BoolArray& a) {
    Bits bits;
    for (unsigned int i = 0; i < a.length(); ++i) bits.push_back(a[i]);
    return bits;
}
IntArray intArray(const Ints& values) { return IntArray(values.data(), static_cast<unsigned int>(values.size())); }
Ints elements(const IntArray& a) { return Ints(a.getData(), a.getData() + a.length()); }
}  // namespace

TEST(BoolArrayTest, PackingEqualityCopiesAndTrimmedGrowth) {
    // High zero bytes dropped but one kept.
    EXPECT_EQ(BoolArray(17, false).toByteArray(), ByteArray(1u, '\0'));
    EXPECT_EQ(ByteArray(boolArray({1, 1})), ByteArray("\x03", 1u));
    EXPECT_EQ(BoolArray(ByteArray("\xFF", 1u), 8, true).length(), 0u);
    EXPECT_EQ(BoolArray(ByteArray(), 0, true).getData(), nullptr);
    EXPECT_EQ(BoolArray::emptyArray, BoolArray());
    EXPECT_FALSE(boolArray({1, 0}) == boolArray({1, 0, 0}) || boolArray({1, 0}).equals(boolArray({0, 0})));
    EXPECT_TRUE(boolArray({1, 0}) != boolArray({0, 0}) && boolArray({0, 1}).equals(boolArray({0, 1})));
    BoolArray a = boolArray({1, 0});
    BoolArray copy(a);
    copy[0] = false;  // copies do not share
    a += a;
    EXPECT_EQ(elements(a + false), (Bits{1, 0, 1, 0, 0}));
    EXPECT_EQ(elements(copy), (Bits{0, 0}));
    // Trimmed storage still grows (trimming itself is the bits fuzz target's).
    BoolArray trimmed = boolArray({0, 1, 1, 0, 0});
    trimmed.trimMSB() += true;
    EXPECT_EQ(elements(trimmed), (Bits{0, 1, 1, 1}));
    EXPECT_EQ(&trimmed.trimLSB(), &trimmed);
    trimmed += false;
    EXPECT_EQ(elements(trimmed), (Bits{1, 1, 1, 0}));
}

TEST(IntArrayTest, StorageAppendingAndEquality) {
    EXPECT_EQ(IntArray(nullptr, 5).getData(), nullptr);
    IntArray own = intArray({5, 6, 7, 8});
    const IntArray copy(own);
    own.setValue(own.getData() + 1, 3);  // from its own storage
    EXPECT_EQ(elements(own), (Ints{6, 7, 8}));
    EXPECT_EQ(elements(copy), (Ints{5, 6, 7, 8}));
    own.setValue(nullptr, 3);
    EXPECT_EQ(own.length(), 0u);
    EXPECT_EQ(&(own += 7), &own);
    EXPECT_EQ(elements(IntArray() + intArray({3}) + IntArray()), (Ints{3}));
    EXPECT_TRUE(intArray({1, 2}).equals(intArray({1, 2})) && !intArray({1, 2}).equals(intArray({1, 3})));
    EXPECT_NE(intArray({1, 2}), intArray({1, 2, 0}));
    EXPECT_EQ(elements(IntArray(String("2147483647.-2147483648.-1"))), (Ints{INT_MAX, INT_MIN, -1}));
}
