// BigNumber against GMP: a table of operations compared by value (the sign
// flag counts only for non-zero results) and normal form, division by zero
// as error 22, the text in every base, the two's complement, and the
// identities (a*b)/b == a, (a+b)-b == a, 0 <= a mod m < m for positive
// operands, fromBase(toBase(a)) == a and fromMSDByteArray(toByteArray(true)) == a.
//
// Input: a flag byte (signs, large operands), a base byte, then
// a 0xFF b 0xFF m 0xFF e 0xFF, the numbers as bytes, least significant first.
#include <gmp.h>

#include <cctype>
#include <functional>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {

struct Mpz {
    Mpz() { mpz_init(v); }
    Mpz(const Mpz&) = delete;
    ~Mpz() { mpz_clear(v); }
    mpz_t v;
};

// The value of a BigNumber, read from its digit bytes, not its text.
void valueOf(const BigNumber& n, Mpz& m) {
    const ByteArray bytes = n.toByteArray(false);
    mpz_import(m.v, bytes.length(), -1, 1, 0, 0, bytes.getData());
    if (n.isNegative()) mpz_neg(m.v, m.v);
}

bool normal(const BigNumber& n) { return n.length() == 1 || (n.length() > 1 && n.getData()[n.length() - 1] != 0); }

void expectValue(const BigNumber& n, const mpz_t expected, const char* what) {
    Mpz actual;
    valueOf(n, actual);
    if (mpz_cmp(actual.v, expected) != 0 || !normal(n)) {
        gmp_fprintf(stderr, "%s: %Zx%s, expected %Zx\n", what, actual.v, normal(n) ? "" : " (not normal)", expected);
        FUZZ_CHECK(false);
    }
}

// Whether `call` throws error 22 (division by zero); any other error fails.
bool throws22(const std::function<void()>& call) {
    try {
        call();
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 22);
        return true;
    }
    return false;
}

// The input's bytes repeated to `length`, so that runs of 00 or FF stay runs.
std::string repeated(const std::string& bytes, std::size_t length) {
    std::string out;
    while (!bytes.empty() && out.size() < length) out += bytes;
    return out.substr(0, length);
}

// a^e mod m as the library defines it: computed on |a| and |m|, the sign of
// a kept for odd exponents, and 1 for a zero exponent even modulo 1.
void expModModel(mpz_t r, const mpz_t a, const mpz_t e, const mpz_t m) {
    Mpz absA, absE, absM;
    mpz_abs(absA.v, a), mpz_abs(absE.v, e), mpz_abs(absM.v, m);
    mpz_powm(r, absA.v, absE.v, absM.v);
    if (mpz_sgn(a) < 0 && mpz_odd_p(absE.v)) mpz_neg(r, r);
    if (mpz_sgn(e) == 0) mpz_set_ui(r, 1);
}

// The inverse as the class describes it: the extended Euclidean algorithm on
// the signed values with truncating division; 1 when there is none, t0 plus
// the modulus for a cofactor below zero, the modulus itself for zero.
void mulInvModel(mpz_t r, const mpz_t a, const mpz_t m) {
    Mpz r0, r1, t0, t1, q, rest, t;
    mpz_set(r0.v, m), mpz_set(r1.v, a), mpz_set_ui(t1.v, 1);
    while (mpz_sgn(r1.v) != 0) {
        mpz_tdiv_qr(q.v, rest.v, r0.v, r1.v);
        mpz_swap(r0.v, r1.v), mpz_swap(r1.v, rest.v);
        mpz_mul(t.v, q.v, t1.v), mpz_sub(t.v, t0.v, t.v);
        mpz_swap(t0.v, t1.v), mpz_swap(t1.v, t.v);
    }
    if (mpz_cmpabs_ui(r0.v, 1) != 0) return mpz_set_ui(r, 1);
    mpz_set(r, mpz_sgn(t0.v) == 0 ? m : t0.v);
    if (mpz_sgn(t0.v) < 0) mpz_add(r, r, m);
}

// Signs ignored: the magnitudes added, negative only when both are; or the
// difference of the magnitudes. A zero operand gives the other one (negated
// when it is subtracted).
void ignoringSigns(mpz_t r, const mpz_t a, const mpz_t b, bool subtract) {
    Mpz absA, absB;
    mpz_abs(absA.v, a), mpz_abs(absB.v, b);
    if (subtract) mpz_sub(r, absA.v, absB.v);
    else mpz_add(r, absA.v, absB.v);
    if (!subtract && mpz_sgn(a) < 0 && mpz_sgn(b) < 0) mpz_neg(r, r);
    if (mpz_sgn(a) == 0) subtract ? mpz_neg(r, b) : mpz_set(r, b);
    if (mpz_sgn(b) == 0) mpz_set(r, a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const unsigned int flags = data[0], base = data[1] % 40;
    korvane_fuzz::Pieces pieces(data + 2, size - 2);
    std::string aBytes = pieces.next().substr(0, 96), bBytes = pieces.next().substr(0, 96),
                mBytes = pieces.next().substr(0, 48), eBytes = pieces.next().substr(0, 24);
    // Large operands reach the Karatsuba multiplication (40 words and up),
    // the long divisions and the heap-held word buffers.
    if (flags & 32) {
        aBytes = repeated(aBytes, 300 + aBytes.size() * 37 % 1300);
        bBytes = repeated(bBytes, 300 + bBytes.size() * 53 % 700);
    }
    if (flags & 64) mBytes = repeated(mBytes, 280 + mBytes.size() * 29 % 300);
    auto number = [](const std::string& s, bool negative) {
        return BigNumber(ByteArray(s.data(), static_cast<unsigned int>(s.size())), negative);
    };
    const BigNumber a = number(aBytes, flags & 1), b = number(bBytes, flags & 2);
    const BigNumber m = number(mBytes, flags & 4), e = number(eBytes, flags & 8);
    const unsigned char small = bBytes.empty() ? 0 : static_cast<unsigned char>(bBytes[0]);
    const unsigned char byteModulus = mBytes.empty() ? 0 : static_cast<unsigned char>(mBytes[0]);
    Mpz A, B, M, E, S, BM, r;
    valueOf(a, A), valueOf(b, B), valueOf(m, M), valueOf(e, E);
    mpz_set_ui(S.v, small), mpz_set_ui(BM.v, byteModulus);

    // Representation and comparison.
    FUZZ_CHECK(normal(a) && normal(b));
    FUZZ_CHECK(BigNumber::fromMSDByteArray(a.toByteArray(true), a.isNegative()) == a);
    FUZZ_CHECK(a.numberOfBits() == (mpz_sgn(A.v) == 0 ? 0u : mpz_sizeinbase(A.v, 2)));
    mpz_fdiv_r_2exp(r.v, A.v, 32);  // the low 32 bits of the two's complement
    FUZZ_CHECK(static_cast<std::uint32_t>(a.toInt()) == mpz_get_ui(r.v) && a.toLong() == a.toInt());
    // Unlike signs order by the flag; like signs by magnitude, whatever the sign.
    const int cmp = a.isNegative() != b.isNegative() ? (a.isNegative() ? -1 : 1) : mpz_cmpabs(A.v, B.v);
    FUZZ_CHECK(a.compare(b) == (cmp < 0 ? BigNumber::LESS : cmp > 0 ? BigNumber::GREATER : BigNumber::EQUAL));
    expectValue(BigNumber::fromBase(a.toBase(base), base), A.v, "fromBase(toBase(a))");

    // The operations, each with its GMP counterpart; the divisions are only
    // compared where the divisor is not zero and must throw error 22 where it is.
    using Ours = std::function<BigNumber()>;
    using Theirs = std::function<void()>;
    struct Operation { const char* name; Ours ours; Theirs theirs; const mpz_t* divisor; } operations[] = {
        {"a + b", [&] { return a.add(b); }, [&] { mpz_add(r.v, A.v, B.v); }, nullptr},
        {"a - b", [&] { return a.subtract(b); }, [&] { mpz_sub(r.v, A.v, B.v); }, nullptr},
        {"(a + b) - b", [&] { return a.add(b).subtract(b); }, [&] { mpz_set(r.v, A.v); }, nullptr},
        {"a + b ignoring signs", [&] { return a.add(b, true); }, [&] { ignoringSigns(r.v, A.v, B.v, false); }, nullptr},
        {"a - b ignoring signs", [&] { return a.subtract(b, true); }, [&] { ignoringSigns(r.v, A.v, B.v, true); }, nullptr},
        {"a * b", [&] { return a.multiply(b); }, [&] { mpz_mul(r.v, A.v, B.v); }, nullptr},
        {"a * a", [&] { return a.multiply(a); }, [&] { mpz_mul(r.v, A.v, A.v); }, nullptr},
        {"a * byte", [&] { return a.multiply(small); }, [&] { mpz_mul_ui(r.v, A.v, small); }, nullptr},
        {"a + byte", [&] { return a.add(small); }, [&] { mpz_add_ui(r.v, A.v, small); }, nullptr},
        {"a - byte", [&] { return a.subtract(small); }, [&] { mpz_sub_ui(r.v, A.v, small); }, nullptr},
        {"a / b", [&] { return a.divide(b); }, [&] { mpz_tdiv_q(r.v, A.v, B.v); }, &B.v},
        {"a mod b", [&] { return a.mod(b); }, [&] { mpz_tdiv_r(r.v, A.v, B.v); }, &B.v},
        {"(a * b) / b", [&] { return a.multiply(b).divide(b); }, [&] { mpz_set(r.v, A.v); }, &B.v},
        {"a / byte", [&] { return a.divide(small); }, [&] { mpz_tdiv_q_ui(r.v, A.v, small); }, &S.v},
        {"a mod byte", [&] { return BigNumber(static_cast<int>(a.mod(small))); }, [&] { mpz_tdiv_r_ui(r.v, A.v, small); }, &S.v},
        {"a shiftl", [&] { BigNumber x(a); x.shiftl(); return x; }, [&] { mpz_mul_2exp(r.v, A.v, 1); }, nullptr},
        {"a shiftr", [&] { BigNumber x(a); x.shiftr(); return x; }, [&] { mpz_tdiv_q_2exp(r.v, A.v, 1); }, nullptr},
        {"a ^ e mod m", [&] { return a.expMod(e, m); }, [&] { expModModel(r.v, A.v, E.v, M.v); }, &M.v},
        {"a ^ e mod byte", [&] { return a.expMod(e, byteModulus); }, [&] { expModModel(r.v, A.v, E.v, BM.v); }, &BM.v},
        {"a mulInv m", [&] { return a.mulInv(m); }, [&] { mulInvModel(r.v, A.v, M.v); }, &M.v},
    };
    for (const Operation& op : operations) {
        if (op.divisor != nullptr && mpz_sgn(*op.divisor) == 0) {
            FUZZ_CHECK(throws22([&] { op.ours(); }));
            continue;
        }
        op.theirs();
        expectValue(op.ours(), r.v, op.name);
    }
    const unsigned long exponent = eBytes.empty() ? 0 : static_cast<unsigned char>(eBytes[0]) % 24;
    if (a.numberOfBits() <= 256) {
        mpz_pow_ui(r.v, A.v, exponent);
        expectValue(a.power(BigNumber(static_cast<int>(exponent))), r.v, "a ^ e");
    }

    // Text in the base byte's base (16 outside 2..36), upper case, against GMP's.
    const int textBase = base < 2 || base > 36 ? 16 : static_cast<int>(base);
    std::vector<char> digits(mpz_sizeinbase(A.v, textBase) + 2);
    std::string text = mpz_get_str(digits.data(), textBase, A.v);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    FUZZ_CHECK(korvane_fuzz::str(a.toBase(base)) == text);
    // Two's complement over the number's own digit count n: 256^n - |a| in
    // exactly n digits, the sign flipped; zero gains a digit (00 01).
    const BigNumber complement = a.twosComplement();
    Mpz power, got;
    mpz_setbit(power.v, 8 * (a.isZero() ? 1 : a.length()));
    mpz_abs(r.v, A.v), mpz_sub(r.v, power.v, r.v);
    mpz_import(got.v, complement.length(), -1, 1, 0, 0, complement.getData());
    FUZZ_CHECK(complement.length() == (a.isZero() ? 2 : a.length()) && mpz_cmp(got.v, r.v) == 0 &&
               complement.isNegative() == !a.isNegative());
    // a mod m in 0 .. m-1.
    if (!a.isNegative() && !m.isNegative() && !m.isZero()) {
        const BigNumber rest = a.mod(m);
        FUZZ_CHECK(!rest.isNegative() && rest.compare(m) == BigNumber::LESS);
    }
    return 0;
}
