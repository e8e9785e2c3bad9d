// Growth of BigNumber beside GMP on the same operands, 10^3 to 10^6 bits
// (modular exponentiation and the inverse stop earlier: they grow as the
// cube and the square of the size for every implementation).
#include <gmp.h>

#include <memory>
#include <string>
#include <vector>

#include "GrowthSupport.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace growth {

namespace {

// A GMP integer that frees itself; copies share nothing.
struct Mpz {
    mpz_t v;
    Mpz() { mpz_init(v); }
    Mpz(const Mpz& other) { mpz_init_set(v, other.v); }
    Mpz& operator=(const Mpz&) = delete;
    ~Mpz() { mpz_clear(v); }
};

// A random number of exactly `bits` bits (odd when asked), the same for
// equal arguments.
Mpz randomNumber(std::size_t bits, unsigned long seed, bool odd = false) {
    gmp_randstate_t state;
    gmp_randinit_mt(state);
    gmp_randseed_ui(state, seed);
    Mpz x;
    mpz_urandomb(x.v, state, bits);
    mpz_setbit(x.v, bits - 1);
    if (odd) mpz_setbit(x.v, 0);
    gmp_randclear(state);
    return x;
}

BigNumber number(const Mpz& x) {
    std::vector<unsigned char> digits(mpz_sizeinbase(x.v, 256) + 1);
    std::size_t count = 0;
    mpz_export(digits.data(), &count, 1, 1, 1, 0, x.v);
    return BigNumber::fromMSDByteArray(ByteArray(digits.data(), static_cast<unsigned int>(count)), false);
}

std::string digitsOf(const Mpz& x, int base) {
    std::vector<char> text(mpz_sizeinbase(x.v, base) + 2);
    mpz_get_str(text.data(), base, x.v);
    return std::string(text.data());
}

using BinaryKorvane = BigNumber (*)(const BigNumber&, const BigNumber&);
using BinaryGmp = void (*)(mpz_ptr, mpz_srcptr, mpz_srcptr);

// An operation on an n-bit and an m-bit operand, m = n * ratio.
void addBinary(const std::string& operation, std::size_t last, double ratio, BinaryKorvane ours, BinaryGmp peer) {
    const auto second = [ratio](std::size_t n) { return static_cast<std::size_t>(double(n) * ratio); };
    add(operation, "Korvane", kFirstBits, last, [=](std::size_t n) {
        return [a = number(randomNumber(n, 1)), b = number(randomNumber(second(n), 2)), ours] { keep(ours(a, b)); };
    });
    add(operation, "GMP", kFirstBits, last, [=](std::size_t n) {
        return [a = randomNumber(n, 1), b = randomNumber(second(n), 2), peer] {
            Mpz r;
            peer(r.v, a.v, b.v);
            keep(r);
        };
    });
}

void addText(std::size_t last, int base) {
    const std::string suffix = std::to_string(base);
    add("BigNumberToBase" + suffix, "Korvane", kFirstBits, last, [base](std::size_t n) {
        return [a = number(randomNumber(n, 1)), base] { keep(a.toBase(static_cast<unsigned int>(base))); };
    });
    add("BigNumberToBase" + suffix, "GMP", kFirstBits, last, [base](std::size_t n) {
        return [a = randomNumber(n, 1), base] {
            std::vector<char> text(mpz_sizeinbase(a.v, base) + 2);
            keep(mpz_get_str(text.data(), base, a.v));
        };
    });
    add("BigNumberFromBase" + suffix, "Korvane", kFirstBits, last, [base](std::size_t n) {
        return [s = String(std::string_view(digitsOf(randomNumber(n, 1), base))), base] {
            keep(BigNumber::fromBase(s, static_cast<unsigned int>(base)));
        };
    });
    add("BigNumberFromBase" + suffix, "GMP", kFirstBits, last, [base](std::size_t n) {
        return [s = digitsOf(randomNumber(n, 1), base), base] {
            Mpz r;
            mpz_set_str(r.v, s.c_str(), base);
            keep(r);
        };
    });
}

}  // namespace

void addNumberBenchmarks() {
    const std::size_t last = bits(kLastBits);
    addBinary("BigNumberAdd", last, 1.0, [](const BigNumber& a, const BigNumber& b) { return a.add(b); }, mpz_add);
    addBinary("BigNumberSubtract", last, 1.0, [](const BigNumber& a, const BigNumber& b) { return a.subtract(b); },
              mpz_sub);
    addBinary("BigNumberMultiply", last, 1.0, [](const BigNumber& a, const BigNumber& b) { return a.multiply(b); },
              mpz_mul);
    addBinary("BigNumberDivide", last, 0.5, [](const BigNumber& a, const BigNumber& b) { return a.divide(b); },
              mpz_tdiv_q);
    addBinary("BigNumberMod", last, 0.5, [](const BigNumber& a, const BigNumber& b) { return a.mod(b); }, mpz_tdiv_r);

    add("BigNumberCompare", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1)), b = number(randomNumber(n, 1)).add(static_cast<unsigned char>(1))] {
            keep(a.compare(b));
        };
    });
    add("BigNumberCompare", "GMP", kFirstBits, last, [](std::size_t n) {
        Mpz b = randomNumber(n, 1);
        mpz_add_ui(b.v, b.v, 1);
        return [a = randomNumber(n, 1), b] { keep(mpz_cmp(a.v, b.v)); };
    });
    add("BigNumberMultiplyByte", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1))] { keep(a.multiply(static_cast<unsigned char>(201))); };
    });
    add("BigNumberMultiplyByte", "GMP", kFirstBits, last, [](std::size_t n) {
        return [a = randomNumber(n, 1)] {
            Mpz r;
            mpz_mul_ui(r.v, a.v, 201);
            keep(r);
        };
    });
    add("BigNumberDivideByte", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1))] { keep(a.divide(static_cast<unsigned char>(201))); };
    });
    add("BigNumberDivideByte", "GMP", kFirstBits, last, [](std::size_t n) {
        return [a = randomNumber(n, 1)] {
            Mpz r;
            mpz_tdiv_q_ui(r.v, a.v, 201);
            keep(r);
        };
    });
    add("BigNumberShiftLeft", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1))] {
            BigNumber copy(a);
            keep(copy.shiftl());
        };
    });
    add("BigNumberShiftLeft", "GMP", kFirstBits, last, [](std::size_t n) {
        return [a = randomNumber(n, 1)] {
            Mpz r;
            mpz_mul_2exp(r.v, a.v, 1);
            keep(r);
        };
    });
    add("BigNumberTwosComplement", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1))] { keep(a.twosComplement()); };
    });
    add("BigNumberTwosComplement", "GMP", kFirstBits, last, [](std::size_t n) {
        return [a = randomNumber(n, 1)] {
            Mpz r;
            mpz_neg(r.v, a.v);
            keep(r);
        };
    });
    add("BigNumberToBytes", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [a = number(randomNumber(n, 1))] { keep(a.toByteArray(true)); };
    });
    add("BigNumberToBytes", "GMP", kFirstBits, last, [](std::size_t n) {
        return [a = randomNumber(n, 1)] {
            std::vector<unsigned char> out(mpz_sizeinbase(a.v, 256));
            std::size_t count = 0;
            mpz_export(out.data(), &count, 1, 1, 1, 0, a.v);
            keep(out);
        };
    });
    add("BigNumberFromBytes", "Korvane", kFirstBits, last, [](std::size_t n) {
        return [b = number(randomNumber(n, 1)).toByteArray(true)] { keep(BigNumber::fromMSDByteArray(b, false)); };
    });
    add("BigNumberFromBytes", "GMP", kFirstBits, last, [](std::size_t n) {
        const BigNumber a = number(randomNumber(n, 1));
        return [b = a.toByteArray(true)] {
            Mpz r;
            mpz_import(r.v, b.length(), 1, 1, 1, 0, b.getData());
            keep(r);
        };
    });
    for (const int base : {2, 8, 10, 16, 32}) addText(last, base);

    // 3^e with a result of about n bits.
    const auto exponent = [](std::size_t n) { return static_cast<unsigned long>(double(n) / 1.585); };
    add("BigNumberPower", "Korvane", kFirstBits, last, [exponent](std::size_t n) {
        return [e = BigNumber(exponent(n))] { keep(BigNumber(3).power(e)); };
    });
    add("BigNumberPower", "GMP", kFirstBits, last, [exponent](std::size_t n) {
        return [e = exponent(n)] {
            Mpz r;
            mpz_ui_pow_ui(r.v, 3, e);
            keep(r);
        };
    });
    const std::size_t lastExpMod = bits(10000);
    add("BigNumberExpMod", "Korvane", kFirstBits, lastExpMod, [](std::size_t n) {
        return [a = number(randomNumber(n, 1)), e = number(randomNumber(n, 2)), m = number(randomNumber(n, 3, true))] {
            keep(a.expMod(e, m));
        };
    });
    add("BigNumberExpMod", "GMP", kFirstBits, lastExpMod, [](std::size_t n) {
        return [a = randomNumber(n, 1), e = randomNumber(n, 2), m = randomNumber(n, 3, true)] {
            Mpz r;
            mpz_powm_sec(r.v, a.v, e.v, m.v);
            keep(r);
        };
    });
    const std::size_t lastInverse = bits(kLastBits);
    add("BigNumberMulInv", "Korvane", kFirstBits, lastInverse, [](std::size_t n) {
        return [a = number(randomNumber(n, 1)), m = number(randomNumber(n, 3, true))] { keep(a.mulInv(m)); };
    });
    add("BigNumberMulInv", "GMP", kFirstBits, lastInverse, [](std::size_t n) {
        return [a = randomNumber(n, 1), m = randomNumber(n, 3, true)] {
            Mpz r;
            keep(mpz_invert(r.v, a.v, m.v));
        };
    });
}

}  // namespace growth
