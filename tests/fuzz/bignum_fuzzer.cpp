// BigNumber against GMP: every operation's value (and its sign flag where the
// value is not zero), normal form of the results, and the identities
// (a*b)/b == a, (a+b)-b == a, 0 <= a mod m < m for positive operands,
// fromBase(toBase(a)) == a, fromMSDByteArray(toByteArray(true)) == a; the
// text readers and writers against the digit rules; mulInv against the
// inverse in 1..m or 1 when there is none.
//
// Input: a flag byte (signs, byte order, large operands), a base byte, then
// a 0xFF b 0xFF m 0xFF e 0xFF text, the numbers as bytes, least significant
// first.
#include <gmp.h>

#include <cstring>
#include <functional>

#include "FuzzSupport.h"
#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {

class Mpz {
public:
    Mpz() { mpz_init(v); }
    explicit Mpz(long x) { mpz_init_set_si(v, x); }
    Mpz(const Mpz& o) { mpz_init_set(v, o.v); }
    Mpz& operator=(const Mpz& o) {
        mpz_set(v, o.v);
        return *this;
    }
    ~Mpz() { mpz_clear(v); }
    mpz_t v;
};

// The value of a BigNumber, read from its digit bytes (not through its own
// text conversion).
Mpz valueOf(const BigNumber& n) {
    Mpz m;
    const ByteArray bytes = n.toByteArray(false);
    mpz_import(m.v, bytes.length(), -1, 1, 0, 0, bytes.getData());
    if (n.isNegative()) mpz_neg(m.v, m.v);
    return m;
}

BigNumber numberOf(const std::string& bytes, bool negative) {
    return BigNumber(ByteArray(bytes.data(), static_cast<unsigned int>(bytes.size())), negative);
}

bool normal(const BigNumber& n) {
    return n.length() >= 1 && (n.length() == 1 || n.getData()[n.length() - 1] != 0);
}

// Same value; for a non-zero value also the sign flag that goes with it
// (zero results may carry either flag); normal form.
void expectValue(const BigNumber& n, const Mpz& expected, const char* what) {
    const Mpz actual = valueOf(n);
    if (mpz_cmp(actual.v, expected.v) != 0 || !normal(n)) {
        char* a = mpz_get_str(nullptr, 16, actual.v);
        char* e = mpz_get_str(nullptr, 16, expected.v);
        std::fprintf(stderr, "%s: %s%s, expected %s\n", what, a, normal(n) ? "" : " (not normal)", e);
        FUZZ_CHECK(false);
    }
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string repeated(const std::string& bytes, std::size_t length) {
    std::string out;
    if (bytes.empty()) return out;
    while (out.size() < length) out += bytes;
    out.resize(length);
    return out;
}

unsigned int usableBase(unsigned int base) { return base < 2 || base > 36 ? 16 : base; }

// fromBase by the digit rules: a leading '-', letters of either case,
// anything outside the alphabet skipped, digits not below the base used at
// their value.
Mpz fromBaseModel(const std::string& text, unsigned int base, bool& negative) {
    Mpz value;
    negative = !text.empty() && text[0] == '-';
    static const char alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const char* hit = c == '\0' ? nullptr : std::strchr(alphabet, c);
        if (hit == nullptr) continue;
        mpz_mul_ui(value.v, value.v, base);
        mpz_add_ui(value.v, value.v, static_cast<unsigned long>(hit - alphabet));
    }
    if (negative) mpz_neg(value.v, value.v);
    return value;
}

std::string toBaseModel(const Mpz& value, bool negativeFlag, unsigned int base) {
    if (mpz_sgn(value.v) == 0) return "0";
    Mpz magnitude;
    mpz_abs(magnitude.v, value.v);
    char* digits = mpz_get_str(nullptr, static_cast<int>(base), magnitude.v);
    std::string text = upper(digits);
    void (*release)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &release);
    release(digits, std::strlen(digits) + 1);
    return negativeFlag ? "-" + text : text;
}

bool throwsDivisionError(const std::function<void()>& call) {
    try {
        call();
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrNo(0) == 22);
        return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const unsigned int flags = data[0];
    const unsigned int base = data[1] % 40;
    korvane_fuzz::Pieces pieces(data + 2, size - 2);
    std::string aBytes = pieces.next().substr(0, 96), bBytes = pieces.next().substr(0, 96),
                mBytes = pieces.next().substr(0, 48);
    const std::string eBytes = pieces.next().substr(0, 24), text = pieces.next().substr(0, 300);
    // Large operands, for the Karatsuba multiplication (40 words and up), the
    // long divisions and the heap-held word buffers: the input's bytes
    // repeated, so that runs of 00 or FF stay runs.
    if (flags & 32) {
        aBytes = repeated(aBytes, 300 + aBytes.size() * 37 % 1300);
        bBytes = repeated(bBytes, 300 + bBytes.size() * 53 % 700);
    }
    if (flags & 64) mBytes = repeated(mBytes, 280 + mBytes.size() * 29 % 300);

    const BigNumber a = numberOf(aBytes, flags & 1), b = numberOf(bBytes, flags & 2);
    const BigNumber m = numberOf(mBytes, flags & 4), e = numberOf(eBytes, flags & 8);
    const Mpz A = valueOf(a), B = valueOf(b), M = valueOf(m), E = valueOf(e);
    Mpz r, q;

    // ---- Representation -------------------------------------------------------------
    FUZZ_CHECK(normal(a) && normal(b));
    FUZZ_CHECK(BigNumber::fromMSDByteArray(a.toByteArray(true), a.isNegative()) == a);
    FUZZ_CHECK(a.numberOfBits() == (mpz_sgn(A.v) == 0 ? 0u : mpz_sizeinbase(A.v, 2)));
    mpz_fdiv_r_2exp(r.v, A.v, 32);  // the low 32 bits of the two's complement
    FUZZ_CHECK(static_cast<std::uint32_t>(a.toInt()) == mpz_get_ui(r.v));
    FUZZ_CHECK(a.toLong() == static_cast<long>(a.toInt()));
    {
        const int order = mpz_cmpabs(A.v, B.v);
        BigNumber::COMPARISON expected =
            a.isNegative() != b.isNegative() ? (a.isNegative() ? BigNumber::LESS : BigNumber::GREATER)
            : order < 0 ? BigNumber::LESS : order > 0 ? BigNumber::GREATER : BigNumber::EQUAL;
        FUZZ_CHECK(a.compare(b) == expected);
    }

    // ---- Arithmetic -------------------------------------------------------------------
    mpz_add(r.v, A.v, B.v);
    const BigNumber sum = a.add(b);
    expectValue(sum, r, "a + b");
    mpz_sub(r.v, A.v, B.v);
    expectValue(a.subtract(b), r, "a - b");
    expectValue(sum.subtract(b), A, "(a + b) - b");
    mpz_mul(r.v, A.v, B.v);
    const BigNumber product = a.multiply(b);
    expectValue(product, r, "a * b");
    const unsigned char small = bBytes.empty() ? 0 : static_cast<unsigned char>(bBytes[0]);
    mpz_mul_ui(r.v, A.v, small);
    expectValue(a.multiply(small), r, "a * byte");
    mpz_add_ui(r.v, A.v, small);
    expectValue(a.add(small), r, "a + byte");
    // With ignoreSign a negative number grows in magnitude.
    mpz_abs(r.v, A.v);
    mpz_add_ui(r.v, r.v, small);
    if (a.isNegative() && !a.isZero()) mpz_neg(r.v, r.v);
    expectValue(a.add(small, true), r, "a + byte, ignoring the sign");
    mpz_sub_ui(r.v, A.v, small);
    expectValue(a.subtract(small), r, "a - byte");

    if (b.isZero()) {
        FUZZ_CHECK(throwsDivisionError([&] { a.divide(b); }));
        FUZZ_CHECK(throwsDivisionError([&] { a.mod(b); }));
    } else {
        mpz_tdiv_qr(q.v, r.v, A.v, B.v);
        expectValue(a.divide(b), q, "a / b");
        expectValue(a.mod(b), r, "a mod b");
        expectValue(product.divide(b), A, "(a * b) / b");
        if (!a.isNegative() && !b.isNegative()) {
            const BigNumber rest = a.mod(b);
            FUZZ_CHECK(!rest.isNegative() && rest.compare(b) == BigNumber::LESS);
        }
    }
    if (small == 0) {
        FUZZ_CHECK(throwsDivisionError([&] { a.divide(small); }));
        FUZZ_CHECK(throwsDivisionError([&] { a.mod(small); }));
    } else {
        Mpz smallValue(small);
        mpz_tdiv_qr(q.v, r.v, A.v, smallValue.v);
        expectValue(a.divide(small), q, "a / byte");
        FUZZ_CHECK(a.mod(small) == mpz_get_si(r.v));
    }

    BigNumber doubled(a);
    doubled.shiftl();
    mpz_mul_2exp(r.v, A.v, 1);
    expectValue(doubled, r, "a shiftl");
    BigNumber halved(a);
    halved.shiftr();
    mpz_tdiv_q_2exp(r.v, A.v, 1);
    expectValue(halved, r, "a shiftr");

    // Complements keep the length: 256^n - |a| with the flag inverted.
    const BigNumber complement = a.twosComplement();
    Mpz power256;
    mpz_ui_pow_ui(power256.v, 256, a.length());
    Mpz magnitude;
    mpz_abs(magnitude.v, A.v);
    mpz_sub(r.v, power256.v, magnitude.v);
    FUZZ_CHECK(complement.isNegative() != a.isNegative());
    {
        const ByteArray digits = complement.toByteArray(false);
        Mpz actual;
        mpz_import(actual.v, digits.length(), -1, 1, 0, 0, digits.getData());
        FUZZ_CHECK(mpz_cmp(actual.v, r.v) == 0);
    }

    // ---- Powers and modular arithmetic --------------------------------------------------
    const unsigned long smallExponent = eBytes.empty() ? 0 : static_cast<unsigned char>(eBytes[0]) % 24;
    if (a.numberOfBits() <= 256) {
        mpz_pow_ui(r.v, A.v, smallExponent);
        expectValue(a.power(BigNumber(static_cast<int>(smallExponent))), r, "a ^ e");
    }
    if (m.isZero()) {
        FUZZ_CHECK(throwsDivisionError([&] { a.expMod(e, m); }));
        FUZZ_CHECK(throwsDivisionError([&] { a.mulInv(m); }));
    } else {
        Mpz modulus, exponent;
        mpz_abs(modulus.v, M.v);
        mpz_abs(exponent.v, E.v);
        mpz_abs(r.v, A.v);
        mpz_powm(r.v, r.v, exponent.v, modulus.v);
        if (a.isNegative() && mpz_odd_p(exponent.v)) mpz_neg(r.v, r.v);
        if (mpz_sgn(exponent.v) == 0) mpz_set_ui(r.v, 1);  // also modulo 1
        expectValue(a.expMod(e, m), r, "a ^ e mod m");

        if (!a.isNegative() && !m.isNegative()) {
            const BigNumber inverse = a.mulInv(m);
            Mpz gcd;
            mpz_gcd(gcd.v, A.v, M.v);
            if (mpz_cmp_ui(gcd.v, 1) != 0) {
                expectValue(inverse, Mpz(1), "mulInv without inverse");
            } else if (mpz_cmp_ui(M.v, 1) == 0) {
                expectValue(inverse, Mpz(1), "mulInv modulo 1");
            } else {
                mpz_invert(r.v, A.v, M.v);
                expectValue(inverse, r, "mulInv");
            }
            // (a mod m) lies in 0 .. m-1.
            const BigNumber rest = a.mod(m);
            FUZZ_CHECK(!rest.isNegative() && rest.compare(m) == BigNumber::LESS);
        }
    }
    const unsigned char byteModulus = mBytes.empty() ? 0 : static_cast<unsigned char>(mBytes[0]);
    if (byteModulus == 0) {
        FUZZ_CHECK(throwsDivisionError([&] { a.expMod(e, byteModulus); }));
    } else {
        Mpz exponent;
        mpz_abs(exponent.v, E.v);
        mpz_abs(r.v, A.v);
        Mpz modulus(byteModulus);
        mpz_powm(r.v, r.v, exponent.v, modulus.v);
        if (a.isNegative() && mpz_odd_p(exponent.v)) mpz_neg(r.v, r.v);
        if (mpz_sgn(exponent.v) == 0) mpz_set_ui(r.v, 1);
        const BigNumber result = a.expMod(e, byteModulus);
        expectValue(result, r, "a ^ e mod byte");
        if (result.isZero()) FUZZ_CHECK(!result.isNegative());
    }

    // ---- Text -----------------------------------------------------------------------------
    const unsigned int used = usableBase(base);
    const String written = a.toBase(base);
    FUZZ_CHECK(korvane_fuzz::str(written) == toBaseModel(A, a.isNegative(), used));
    const BigNumber reread = BigNumber::fromBase(written, base);
    expectValue(reread, A, "fromBase(toBase(a))");

    bool negative = false;
    const Mpz textValue = fromBaseModel(text, used, negative);
    const BigNumber parsed = BigNumber::fromBase(korvane_fuzz::text(text), base);
    expectValue(parsed, textValue, "fromBase(text)");
    if (!text.empty()) FUZZ_CHECK(parsed.isNegative() == negative);

    // ByteArray's number text: the bytes as a non-negative number, the first
    // byte least significant (most significant with `reverse`).
    const bool reverse = flags & 16;
    const ByteArray raw(aBytes.data(), static_cast<unsigned int>(aBytes.size()));
    Mpz rawValue;
    mpz_import(rawValue.v, aBytes.size(), reverse ? 1 : -1, 1, 0, 0, aBytes.data());
    FUZZ_CHECK(korvane_fuzz::str(raw.toPrintableString(base, reverse)) ==
               (aBytes.empty() ? std::string() : toBaseModel(rawValue, false, used)));
    // fromHexString: the bytes of the number the text spells in base 16, no
    // high zero bytes (zero is one 00), the sign dropped.
    const Mpz hexValue = fromBaseModel(text, 16, negative);
    Mpz hexMagnitude;
    mpz_abs(hexMagnitude.v, hexValue.v);
    std::string hexBytes(mpz_sizeinbase(hexMagnitude.v, 256) + 1, '\0');
    std::size_t exported = 0;
    mpz_export(&hexBytes[0], &exported, reverse ? 1 : -1, 1, 0, 0, hexMagnitude.v);
    hexBytes.resize(exported == 0 ? 1 : exported);
    const ByteArray fromHex = ByteArray::fromHexString(korvane_fuzz::text(text), reverse);
    FUZZ_CHECK(std::string(reinterpret_cast<const char*>(fromHex.getData()), fromHex.length()) == hexBytes);
    return 0;
}
