// BigNumber against GMP over seeded random operands of 1 to 4096 bits (some
// far larger), both signs and zero. GMP supplies the magnitudes; the
// library's sign rules are applied to them by the small model below.
#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

struct Mpz {
    mpz_t v;
    Mpz() { mpz_init(v); }
    explicit Mpz(long x) { mpz_init_set_si(v, x); }
    Mpz(const Mpz& o) { mpz_init_set(v, o.v); }
    Mpz& operator=(const Mpz& o) {
        mpz_set(v, o.v);
        return *this;
    }
    ~Mpz() { mpz_clear(v); }
    std::string text(int base = 16) const {
        std::vector<char> out(mpz_sizeinbase(v, base) + 2);
        return mpz_get_str(out.data(), base, v);
    }
};

// A magnitude with the library's sign flag, so that a negative zero shows.
struct Signed {
    Mpz m;
    bool neg = false;
    bool zero() const { return mpz_sgn(m.v) == 0; }
    BigNumber number() const {
        std::vector<unsigned char> bytes(mpz_sizeinbase(m.v, 256) + 1);
        std::size_t count = 0;
        mpz_export(bytes.data(), &count, 1, 1, 1, 0, m.v);
        return BigNumber::fromMSDByteArray(ByteArray(bytes.data(), static_cast<unsigned int>(count)), neg);
    }
    std::string show() const { return (neg ? "-" : "+") + m.text(); }
};

Signed modelSubtract(const Signed& x, const Signed& y, bool ignoreSign);

Signed modelAdd(const Signed& x, const Signed& y, bool ignoreSign) {
    if (x.zero()) return y;
    if (y.zero()) return x;
    if (!ignoreSign && x.neg != y.neg) return x.neg ? modelSubtract(y, x, true) : modelSubtract(x, y, true);
    Signed sum{Mpz(), x.neg && y.neg};
    mpz_add(sum.m.v, x.m.v, y.m.v);
    return sum;
}

Signed modelSubtract(const Signed& x, const Signed& y, bool ignoreSign) {
    if (x.zero()) return Signed{y.m, !y.neg};
    if (y.zero()) return x;
    if (!ignoreSign && (x.neg || y.neg)) {
        if (x.neg && y.neg) return modelSubtract(y, x, true);
        Signed sum = modelAdd(x, y, true);
        sum.neg = x.neg;
        return sum;
    }
    Signed difference{Mpz(), mpz_cmp(x.m.v, y.m.v) < 0};
    mpz_sub(difference.m.v, x.m.v, y.m.v);
    mpz_abs(difference.m.v, difference.m.v);
    return difference;
}

// Operation with a GMP magnitude and a sign rule.
Signed peer(void (*op)(mpz_ptr, mpz_srcptr, mpz_srcptr), const Signed& x, const Signed& y, bool neg) {
    Signed r{Mpz(), neg};
    op(r.m.v, x.m.v, y.m.v);
    return r;
}

class Source {
public:
    explicit Source(std::uint64_t seed) : random(seed) {}
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(random() % bound); }
    bool coin() { return (random() & 1) != 0; }
    // Exactly `bits` bits; one in eight a run of ones or a power of two, which
    // carry and borrow the whole length.
    Mpz magnitude(std::size_t bits) {
        Mpz m;
        if (bits == 0) return m;
        const auto kind = random() % 8;
        for (std::size_t i = 0; kind > 1 && i < bits; i += 64) {
            mpz_mul_2exp(m.v, m.v, 64);
            mpz_add_ui(m.v, m.v, static_cast<unsigned long>(random()));
        }
        if (kind == 0) mpz_setbit(m.v, bits);
        if (kind == 0) mpz_sub_ui(m.v, m.v, 1);
        mpz_fdiv_r_2exp(m.v, m.v, bits);
        mpz_setbit(m.v, bits - 1);
        return m;
    }
    // 1 to maxBits bits with either sign, or zero (either sign) one time in twenty.
    Signed any(std::size_t maxBits) { return Signed{below(20) == 0 ? Mpz() : magnitude(1 + below(maxBits)), coin()}; }

private:
    std::mt19937_64 random;
};

::testing::AssertionResult same(const BigNumber& actual, const Signed& expected) {
    if (actual == expected.number()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << (actual.isNegative() ? "negative " : "")
                                         << actual.toBase(16).getData() << ", expected " << expected.show();
}

std::string trace(std::uint64_t seed, int i) { return "seed " + std::to_string(seed) + ", iteration " + std::to_string(i); }

}  // namespace

TEST(BigNumberPeer, ArithmeticFollowsGmpAndTheSignRules) {
    struct Op {
        const char* name;
        std::function<BigNumber(const BigNumber&, const BigNumber&)> ours;
        std::function<Signed(const Signed&, const Signed&)> model;
        bool nonZeroDivisor;
    };
    const Op ops[] = {
        {"add", [](auto& a, auto& b) { return a.add(b, false); }, [](auto& x, auto& y) { return modelAdd(x, y, false); }, false},
        {"add ignoring signs", [](auto& a, auto& b) { return a.add(b, true); },
         [](auto& x, auto& y) { return modelAdd(x, y, true); }, false},
        {"subtract", [](auto& a, auto& b) { return a.subtract(b, false); },
         [](auto& x, auto& y) { return modelSubtract(x, y, false); }, false},
        {"subtract ignoring signs", [](auto& a, auto& b) { return a.subtract(b, true); },
         [](auto& x, auto& y) { return modelSubtract(x, y, true); }, false},
        {"multiply", [](auto& a, auto& b) { return a.multiply(b); },
         [](auto& x, auto& y) { return peer(mpz_mul, x, y, x.neg != y.neg); }, false},
        // Quotient and remainder truncate toward zero, signs kept even on zeros.
        {"divide", [](auto& a, auto& b) { return a.divide(b); },
         [](auto& x, auto& y) { return peer(mpz_tdiv_q, x, y, x.neg != y.neg); }, true},
        {"mod", [](auto& a, auto& b) { return a.mod(b); }, [](auto& x, auto& y) { return peer(mpz_tdiv_r, x, y, x.neg); },
         true},
    };
    const std::uint64_t seed = 0x5eed0001;
    Source source(seed);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(trace(seed, i));
        // Every hundredth pair is far past the Karatsuba threshold.
        const std::size_t limit = i % 100 == 0 ? 60000 : 4096;
        Signed x = source.any(limit);
        Signed y = source.any(limit);
        const auto shape = source.below(6);
        if (shape == 0) y = Signed{x.m, source.coin()};  // equal magnitudes
        if (shape == 1) mpz_add_ui(y.m.v, x.m.v, source.below(3));
        if (shape == 2) mpz_mul(x.m.v, y.m.v, source.magnitude(1 + source.below(300)).v);  // exact multiple
        const BigNumber a = x.number(), b = y.number();
        for (const Op& op : ops) {
            if (op.nonZeroDivisor && y.zero()) continue;
            EXPECT_TRUE(same(op.ours(a, b), op.model(x, y))) << x.show() << ' ' << op.name << ' ' << y.show();
        }

        // The byte forms.
        const unsigned char value = static_cast<unsigned char>(source.below(5) == 0 ? 0 : source.below(256));
        const Signed byte{Mpz(value), false};
        for (bool ignoreSign : {false, true}) {
            // Adding a byte keeps the number's sign when signs are ignored.
            Signed sum = x.zero() ? byte : value == 0 ? x : modelAdd(x, Signed{byte.m, x.neg}, true);
            if (!ignoreSign && x.neg && !x.zero() && value != 0) sum = modelSubtract(byte, x, true);
            EXPECT_TRUE(same(a.add(value, ignoreSign), sum)) << x.show() << " + byte " << int(value);
            EXPECT_TRUE(same(a.subtract(value, ignoreSign), modelSubtract(x, byte, ignoreSign)))
                << x.show() << " - byte " << int(value);
        }
        EXPECT_TRUE(same(a.multiply(value), peer(mpz_mul, x, byte, x.neg)));
        if (value != 0) {
            EXPECT_TRUE(same(a.divide(value), peer(mpz_tdiv_q, x, byte, x.neg)));
            const long remainder = static_cast<long>(mpz_tdiv_ui(x.m.v, value));
            EXPECT_EQ(a.mod(value), x.neg ? -remainder : remainder);
        }
        // Small powers; the exponent's sign is ignored.
        if (mpz_sizeinbase(x.m.v, 2) <= 2000) {
            const unsigned long e = source.below(mpz_sizeinbase(x.m.v, 2) <= 64 ? 60 : 8);
            Signed power{Mpz(), x.neg && (e & 1) != 0};
            mpz_pow_ui(power.m.v, x.m.v, e);
            EXPECT_TRUE(same(a.power(Signed{Mpz(static_cast<long>(e)), source.coin()}.number()), power));
        }

        // Signs first; two numbers of one sign, negatives too, by magnitude.
        const int order = x.neg != y.neg ? (x.neg ? -1 : 1) : mpz_cmp(x.m.v, y.m.v);
        EXPECT_EQ(a.compare(b), order < 0 ? BigNumber::LESS : order > 0 ? BigNumber::GREATER : BigNumber::EQUAL)
            << x.show() << " vs " << y.show();
        EXPECT_EQ(a == b, x.neg == y.neg && mpz_cmp(x.m.v, y.m.v) == 0);

        Signed shifted{Mpz(), x.neg};
        mpz_mul_2exp(shifted.m.v, x.m.v, 1);
        BigNumber copy(a);
        EXPECT_TRUE(same(copy.shiftl(), shifted));
        mpz_fdiv_q_2exp(shifted.m.v, x.m.v, 1);
        copy = a;
        EXPECT_TRUE(same(copy.shiftr(), shifted));

        // Two's complement over the number's own digit count: 256^n - |x| in
        // exactly n digits, the sign flipped; zero gains a digit (00 01).
        const BigNumber complement = a.twosComplement();
        const std::size_t digits = x.zero() ? 2 : a.length();
        Mpz complementValue;
        mpz_setbit(complementValue.v, 8 * (digits - (x.zero() ? 1 : 0)));
        mpz_sub(complementValue.v, complementValue.v, x.m.v);
        EXPECT_EQ(complement.length(), digits);
        Mpz got;
        mpz_import(got.v, complement.length(), -1, 1, 0, 0, complement.getData());
        EXPECT_EQ(mpz_cmp(got.v, complementValue.v), 0) << x.show();
        EXPECT_EQ(complement.isNegative(), !x.neg);

        EXPECT_EQ(a.numberOfBits(), x.zero() ? 0u : mpz_sizeinbase(x.m.v, 2));
        const unsigned int low = static_cast<unsigned int>(mpz_get_ui(x.m.v));
        EXPECT_EQ(a.toInt(), static_cast<int>(x.neg ? 0u - low : low));
    }
}

TEST(BigNumberPeer, ModularPowersMatch) {
    const std::uint64_t seed = 0x5eed0006;
    Source source(seed);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(trace(seed, i));
        // Mostly small moduli to keep the run short, every sixteenth up to
        // 4096 bits; odd and even, either sign (the magnitude counts).
        const std::size_t limit = i % 16 == 0 ? 4096 : 600;
        Signed modulus = source.any(limit);
        if (modulus.zero()) mpz_set_ui(modulus.m.v, 1 + source.below(100));
        if (source.coin()) mpz_setbit(modulus.m.v, 0);
        const Signed base = source.any(source.coin() ? limit : 2 * limit);
        Signed exponent = source.any(source.below(8) == 0 ? 64 : limit);
        // The base's sign survives an odd exponent, even into a zero result.
        Signed expected{Mpz(), base.neg && mpz_odd_p(exponent.m.v)};
        mpz_powm(expected.m.v, base.m.v, exponent.m.v, modulus.m.v);
        if (exponent.zero()) expected = Signed{Mpz(1), false};
        const BigNumber a = base.number(), e = exponent.number();
        EXPECT_TRUE(same(a.expMod(e, modulus.number()), expected))
            << base.show() << " ^ " << exponent.show() << " mod " << modulus.show();

        // The byte modulus form returns zeros without a sign.
        const unsigned char byteModulus = static_cast<unsigned char>(1 + source.below(255));
        mpz_powm(expected.m.v, base.m.v, exponent.m.v, Mpz(byteModulus).v);
        if (exponent.zero()) mpz_set_ui(expected.m.v, 1);
        expected.neg = expected.neg && !expected.zero();
        EXPECT_TRUE(same(a.expMod(e, byteModulus), expected)) << "mod byte " << int(byteModulus);
    }
}

TEST(BigNumberPeer, InversesFollowTheExtendedEuclideanAlgorithm) {
    // The algorithm as the class describes it, on the signed values with
    // truncating division: 1 when there is no inverse, t0 + modulus for a
    // cofactor below zero, the modulus itself (sign and all) for zero.
    auto model = [](const Signed& number, const Signed& modulus) {
        auto value = [](const Signed& s) {
            Mpz v(s.m);
            if (s.neg) mpz_neg(v.v, v.v);
            return v;
        };
        Mpz r1 = value(number), r0 = value(modulus), t0(0), t1(1), q, r, t;
        while (mpz_sgn(r1.v) != 0) {
            mpz_tdiv_qr(q.v, r.v, r0.v, r1.v);
            r0 = r1;
            r1 = r;
            mpz_mul(t.v, q.v, t1.v);
            mpz_sub(t.v, t0.v, t.v);
            t0 = t1;
            t1 = t;
        }
        if (mpz_cmpabs_ui(r0.v, 1) != 0) return Signed{Mpz(1), false};
        if (mpz_sgn(t0.v) == 0) return modulus;
        if (mpz_sgn(t0.v) < 0) mpz_add(t0.v, t0.v, value(modulus).v);
        Signed result{Mpz(), mpz_sgn(t0.v) < 0};
        mpz_abs(result.m.v, t0.v);
        return result;
    };
    const std::uint64_t seed = 0x5eed0007;
    Source source(seed);
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(trace(seed, i));
        const std::size_t limit = i % 3 == 0 ? 4096 : (i % 3 == 1 ? 200 : 16);
        Signed modulus = source.any(limit);
        if (modulus.zero()) mpz_set_ui(modulus.m.v, 1 + source.below(3));
        // Prime moduli, where every non-multiple has an inverse, where cheap.
        if (limit <= 200 && source.below(3) == 0) mpz_nextprime(modulus.m.v, modulus.m.v);
        Signed number = source.any(source.below(4) == 0 ? 2 * limit : limit);
        if (source.below(10) == 0) number.m = modulus.m;
        EXPECT_TRUE(same(number.number().mulInv(modulus.number()), model(number, modulus)))
            << number.show() << " inverse mod " << modulus.show();
    }
}

TEST(BigNumberPeer, TextInEveryBaseMatches) {
    const std::uint64_t seed = 0x5eed0009;
    Source source(seed);
    const std::string junk = " :-+.,_\t\x80\xff";
    for (int i = 0; i < 1500; ++i) {
        SCOPED_TRACE(trace(seed, i));
        const Signed x = source.any(i % 50 == 0 ? 40000 : 4096);
        // Powers of two take a path of their own: a third of the cases.
        const auto anyPowerOfTwo = [&source] { return 1u << (1 + source.below(5)); };
        const unsigned int base = i % 3 == 0 ? anyPowerOfTwo() : 2 + static_cast<unsigned int>(source.below(35));
        std::string digits = x.m.text(static_cast<int>(base));
        for (char& c : digits) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string expected = (x.neg && !x.zero() ? "-" : "") + digits;
        const String text = x.number().toBase(base);
        ASSERT_EQ(std::string(text.getData()), expected) << "base " << base;
        // The same digits from bytes in either order, high zero bytes skipped.
        const bool reverse = source.coin();
        const ByteArray zeros(static_cast<unsigned int>(source.below(3)), '\0');
        const ByteArray bytes = reverse ? zeros + x.number().toByteArray(true) : x.number().toByteArray(false) + zeros;
        EXPECT_EQ(std::string(bytes.toPrintableString(base, reverse).getData()), digits) << "base " << base;
        // A negative zero prints as "0", which reads back as +0.
        EXPECT_TRUE(same(BigNumber::fromBase(text, base), Signed{x.m, x.neg && !x.zero()})) << "base " << base;

        // Reading skips characters that are no digits, takes either case,
        // weighs letters at or above the base as well, and falls back to 16
        // for bases outside 2..36; GMP applies Horner's rule.
        const unsigned int anyBase = i % 3 == 0 ? anyPowerOfTwo() : static_cast<unsigned int>(source.below(40));
        const unsigned int effective = anyBase < 2 || anyBase > 36 ? 16 : anyBase;
        std::string raw = source.below(4) == 0 ? "-" : "";
        Mpz value;
        for (std::size_t k = source.below(i % 20 == 0 ? 3000 : 80); k > 0; --k) {
            const std::size_t pick = source.below(20);
            if (pick == 0) {
                raw += junk[source.below(junk.size())];
                continue;
            }
            const unsigned int digit = static_cast<unsigned int>(source.below(pick < 17 ? effective : 36));
            char c = static_cast<char>(digit < 10 ? '0' + digit : (source.coin() ? 'A' : 'a') + digit - 10);
            raw += c;
            mpz_mul_ui(value.v, value.v, effective);
            mpz_add_ui(value.v, value.v, digit);
        }
        // A junk "-" that happens to come first is a sign as well.
        EXPECT_TRUE(same(BigNumber::fromBase(String(raw.c_str()), anyBase), Signed{value, !raw.empty() && raw[0] == '-'}))
            << "text \"" << raw << "\" base " << anyBase;
        if (effective == 16) {
            // The bytes of the magnitude, least significant first, zero as one byte.
            std::vector<unsigned char> expectedBytes(mpz_sizeinbase(value.v, 256) + 1);
            std::size_t count = 0;
            mpz_export(expectedBytes.data(), &count, -1, 1, 1, 0, value.v);
            expectedBytes.resize(count == 0 ? 1 : count);
            if (reverse) std::reverse(expectedBytes.begin(), expectedBytes.end());
            const ByteArray read = ByteArray::fromHexString(String(raw.c_str()), reverse);
            EXPECT_EQ(std::vector<unsigned char>(read.begin(), read.end()), expectedBytes) << "text \"" << raw << "\"";
        }
    }
}
