// Observes every buffer released through the global array operators while
// big-number operations run, and checks that each was wiped first: digit
// buffers, word scratch and the text produced on the way.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "korvane/BigNumber.h"
#include "korvane/BufferMemory.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "text/ReleaseObserver.h"

using namespace Korvane;

namespace {
using korvane_test::dirtyBlocks;
using korvane_test::releasedBlocks;
using Watch = korvane_test::ReleaseWatch;

// A number of `digits` decimal digits, none of them zero.
BigNumber decimal(std::size_t digits, unsigned int seed) {
    std::string text;
    for (std::size_t i = 0; i < digits; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += static_cast<char>('1' + (seed >> 16) % 9);
    }
    return BigNumber::fromBase(String(text.c_str()), 10);
}
}  // namespace

TEST(BigNumberWipe, ModularArithmeticLeavesNoDigitsBehind) {
    const BigNumber oddModulus = decimal(620, 1).multiply(BigNumber(2)).add(static_cast<unsigned char>(1), false);
    const BigNumber evenModulus = oddModulus.add(static_cast<unsigned char>(1), false);
    const BigNumber exponent = decimal(600, 2);
    const BigNumber base = decimal(700, 3);
    Watch watch;
    {
        const BigNumber a = base.expMod(exponent, oddModulus);
        const BigNumber b = base.expMod(exponent, evenModulus);
        const BigNumber c = base.expMod(exponent, static_cast<unsigned char>(221));
        const BigNumber d = base.mulInv(oddModulus);
        const BigNumber e = decimal(30, 4).power(BigNumber(40));
        EXPECT_FALSE(a.isZero() || b.isZero() || d.isZero() || e.isZero());
        EXPECT_FALSE(c.isNegative());
    }
    EXPECT_GT(releasedBlocks.load(), 10);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}

TEST(BigNumberWipe, ArithmeticAndTextLeaveNoDigitsBehind) {
    const BigNumber large = decimal(3000, 5);
    const BigNumber medium = decimal(900, 6);
    Watch watch;
    {
        const BigNumber product = large.multiply(large);  // Karatsuba-sized
        const BigNumber quotient = product.divide(medium);
        const BigNumber remainder = product.mod(medium);
        const String text = product.toBase(10);
        const BigNumber back = BigNumber::fromBase(text, 10);
        const ByteArray bytes = ByteArray::fromHexString(medium.toBase(16), true);
        const String printable = bytes.toPrintableString(7, false);
        EXPECT_TRUE(back == product);
        EXPECT_FALSE(quotient.isZero() || remainder.isZero() || printable.isEmpty());
    }
    EXPECT_GT(releasedBlocks.load(), 10);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}

TEST(BigNumberWipe, TheObserverSeesAnUnwipedBlock) {
    Watch watch;
    // Through the library's own allocator: a new/delete pair in this file
    // could be elided by the optimiser.
    char* block = static_cast<char*>(Korvane::internal::allocateBuffer(8));
    std::memcpy(block, "dirty!!", 8);
    Korvane::internal::releaseBuffer(block);
    EXPECT_EQ(dirtyBlocks.load(), 1);
}
