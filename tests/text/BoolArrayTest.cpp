// BoolArray and IntArray: the cases the bits fuzz target's models do not
// reach (packing, printing, parsing, trimming and appending of arbitrary
// input are its, replayed from its corpus on every build).

#include <climits>
#include <vector>

#include "TestSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/IntArray.h"

using namespace Korvane;
using Bits = std::vector<bool>;
using Ints = std::vector<int>;

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
