// Observes every buffer released through the global array operators while
// big-number operations run, and checks that each was wiped first: digit
// buffers, word scratch and the text produced on the way. The observer
// checks itself in the Array wipe test; that it sees releases here at all
// is checked below.

#include "TestSupport.h"
#include "korvane/BigNumber.h"
#include "text/ReleaseObserver.h"

using namespace Korvane;
using namespace korvane_test;

namespace {
// A number of `digits` decimal digits, none of them zero.
BigNumber decimal(std::size_t digits, unsigned int seed) {
    std::string text;
    for (std::size_t i = 0; i < digits; ++i) text += static_cast<char>('1' + (seed = seed * 1103515245u + 12345u) % 9);
    return BigNumber::fromBase(String(text.c_str()), 10);
}
}  // namespace

TEST(BigNumberWipe, ArithmeticTextAndModularWorkLeaveNoDigitsBehind) {
    const BigNumber odd = decimal(620, 1).multiply(BigNumber(2)).add(static_cast<unsigned char>(1), false);
    const BigNumber even = odd.add(static_cast<unsigned char>(1), false);
    const BigNumber exponent = decimal(600, 2), base = decimal(700, 3), large = decimal(3000, 5);
    korvane_test::ReleaseWatch watch;
    {
        const BigNumber product = large.multiply(large);  // Karatsuba-sized
        const String text = product.toBase(10);
        EXPECT_TRUE(BigNumber::fromBase(text, 10) == product);
        EXPECT_FALSE(product.divide(base).isZero() || product.mod(base).isZero());
        EXPECT_FALSE(base.expMod(exponent, odd).isZero() || base.expMod(exponent, even).isZero());
        EXPECT_FALSE(base.expMod(exponent, static_cast<unsigned char>(221)).isNegative());
        EXPECT_FALSE(base.mulInv(odd).isZero() || decimal(30, 4).power(BigNumber(40)).isZero());
        // Half-gcd sized.
        EXPECT_FALSE(decimal(3500, 6).mulInv(product.add(static_cast<unsigned char>(1), false)).isZero());
        const ByteArray bytes = ByteArray::fromHexString(base.toBase(16), true);
        EXPECT_FALSE(bytes.toPrintableString(7, false).isEmpty());
    }
    EXPECT_GT(releasedBlocks.load(), 10);
    EXPECT_EQ(dirtyBlocks.load(), 0);
}
