#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "TextTestSupport.h"
#include "korvane/ReferenceCounter.h"
#include "korvane/SmartPointer.h"

using namespace Korvane;
using korvane_test::bytes;
using korvane_test::StorageView;

TEST(ArrayTest, ReferenceCounterCounts) {
    ReferenceCounter counter;
    EXPECT_EQ(counter.incReference(), 1);
    EXPECT_EQ(counter.decReference(), 0);
    counter.incReference();
    counter.incReference();
    counter.incReference();
    ReferenceCounter copy(counter);
    EXPECT_EQ(copy.getReferenceCount(), 3);
}

TEST(ArrayTest, ReferenceCounterIsAtomic) {
    ReferenceCounter counter;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&counter] {
            for (int i = 0; i < 100000; ++i) counter.incReference();
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(counter.getReferenceCount(), 400000);
}

TEST(ArrayTest, SmartPointerSharesAndReleasesOnce) {
    static int released = 0;
    released = 0;
    auto deleter = [](int* p) {
        ++released;
        delete[] p;
    };
    {
        SmartPointer<int> first(new int[4], deleter);
        EXPECT_EQ(first.getReferenceCount(), 1);
        SmartPointer<int> second(first);
        SmartPointer<int> third;
        EXPECT_EQ(third.getReferenceCount(), 0);
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
    EXPECT_EQ(b.capacityForTest(), 1u);
    std::vector<unsigned int> seen;
    for (int i = 0; i < 60; ++i) {
        const unsigned int before = b.capacityForTest();
        b += static_cast<char>(i);
        if (b.capacityForTest() != before) seen.push_back(b.capacityForTest());
        EXPECT_TRUE(b.terminatorIsZero());
    }
    EXPECT_EQ(seen, (std::vector<unsigned int>{2, 4, 7, 11, 17, 26, 40, 61}));
}

TEST(ArrayTest, ReservedRoomAndWritesPastTheEnd) {
    StorageView<ByteArray> reserved(5u);
    EXPECT_EQ(reserved.length(), 0u);
    EXPECT_EQ(reserved.capacityForTest(), 6u);
    EXPECT_EQ(reserved.getData()[0], 0);

    StorageView<ByteArray> b;
    b[2] = 7;  // extends with zeros
    EXPECT_EQ(b.capacityForTest(), 4u);
    EXPECT_EQ(bytes(b), std::string("\0\0\x07", 3));
    EXPECT_TRUE(b.terminatorIsZero());
    b[1u] = 9;
    EXPECT_EQ(bytes(b), std::string("\0\x09\x07", 3));
}

TEST(ArrayTest, ElementAccessMessages) {
    ByteArray b("abc");
    const ByteArray& c = b;
    auto message = [](auto&& access) -> std::string {
        try {
            access();
        } catch (const IndexOutOfRange& e) {
            return e.toString();
        }
        return "no exception";
    };
    EXPECT_EQ(message([&] { (void)c[3u]; }),
              "T Array::operator[](unsigned int) const - Index greater than Array length.");
    EXPECT_EQ(message([&] { (void)c[3]; }),
              "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(message([&] { (void)c[-1]; }), "T Array::operator[](int) const - Index is negative.");
    EXPECT_EQ(message([&] { (void)b[-1]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(message([&] { (void)b[0x80000000u]; }), "T& Array::operator[](int) - Index is negative.");
    EXPECT_EQ(message([&] { (void)ByteArray()[0u]; }), "no exception");  // non-const extends
    const ByteArray empty;
    EXPECT_EQ(message([&] { (void)empty[0]; }),
              "T Array::operator[](int) const - Index greater than Array length.");
    EXPECT_EQ(c[2], 'c');
}
