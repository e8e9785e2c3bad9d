// Helpers shared by the big-number tests: conversions to and from GMP, and a
// model of the library's sign rules over GMP magnitudes.
#pragma once

#include <gmp.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

namespace korvane_test {

// An owning mpz_t.
class Mpz {
public:
    Mpz() { mpz_init(value); }
    explicit Mpz(long v) { mpz_init_set_si(value, v); }
    Mpz(const Mpz& other) { mpz_init_set(value, other.value); }
    Mpz& operator=(const Mpz& other) {
        mpz_set(value, other.value);
        return *this;
    }
    ~Mpz() { mpz_clear(value); }
    mpz_ptr get() { return value; }
    mpz_srcptr get() const { return value; }
    std::string toString(int base = 16) const {
        std::vector<char> text(mpz_sizeinbase(value, base) + 2);
        mpz_get_str(text.data(), base, value);
        return text.data();
    }

private:
    mpz_t value;
};

// The number with magnitude |value| and sign flag `negative`.
inline Korvane::BigNumber fromMpz(const Mpz& value, bool negative) {
    const std::size_t count = (mpz_sizeinbase(value.get(), 2) + 7) / 8;
    std::vector<unsigned char> bytes(count + 1);
    std::size_t written = 0;
    mpz_export(bytes.data(), &written, 1, 1, 1, 0, value.get());
    return Korvane::BigNumber::fromMSDByteArray(
        Korvane::ByteArray(bytes.data(), static_cast<unsigned int>(written)), negative);
}

// The magnitude of `number` (sign flag ignored), high zero digits allowed.
inline Mpz magnitudeOf(const Korvane::BigNumber& number) {
    Mpz result;
    mpz_import(result.get(), number.length(), -1, 1, 0, 0, number.getData());
    return result;
}

// A signed value paired with the library's sign flag, so that a negative
// zero can be told apart.
struct Signed {
    Mpz magnitude;
    bool negative = false;

    bool isZero() const { return mpz_sgn(magnitude.get()) == 0; }
    Korvane::BigNumber toNumber() const { return fromMpz(magnitude, negative); }
    // The plain signed value (a negative zero is 0).
    Mpz value() const {
        Mpz v(magnitude);
        if (negative) mpz_neg(v.get(), v.get());
        return v;
    }
};

// The addition and subtraction rules of BigNumber, step for step, on
// magnitudes computed by GMP. Operands must be in normal form.
inline Signed modelSubtract(const Signed& x, const Signed& y, bool ignoreSign);

inline Signed modelAdd(const Signed& x, const Signed& y, bool ignoreSign) {
    if (x.isZero()) return y;
    if (y.isZero()) return x;
    if (!ignoreSign && x.negative != y.negative)
        return x.negative ? modelSubtract(y, x, true) : modelSubtract(x, y, true);
    Signed sum;
    mpz_add(sum.magnitude.get(), x.magnitude.get(), y.magnitude.get());
    sum.negative = x.negative && y.negative;
    return sum;
}

inline Signed modelSubtract(const Signed& x, const Signed& y, bool ignoreSign) {
    if (x.isZero()) return Signed{y.magnitude, !y.negative};
    if (y.isZero()) return x;
    if (!ignoreSign && (x.negative || y.negative)) {
        if (x.negative && y.negative) return modelSubtract(y, x, true);
        Signed sum = modelAdd(x, y, true);
        sum.negative = x.negative;
        return sum;
    }
    Signed difference;
    const int order = mpz_cmp(x.magnitude.get(), y.magnitude.get());
    if (order == 0) return difference;
    if (order < 0) {
        mpz_sub(difference.magnitude.get(), y.magnitude.get(), x.magnitude.get());
        difference.negative = true;
    } else {
        mpz_sub(difference.magnitude.get(), x.magnitude.get(), y.magnitude.get());
    }
    return difference;
}

// Random operands for the peer comparisons.
class NumberSource {
public:
    explicit NumberSource(std::uint64_t seed) : random(seed) {}

    std::uint64_t next() { return random(); }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(random() % bound); }
    bool coin() { return (random() & 1) != 0; }

    // A magnitude of exactly `bits` bits (0 gives zero). One in eight is a run
    // of ones or a power of two, which drive carries and borrows the whole
    // length.
    Mpz magnitude(std::size_t bits) {
        Mpz m;
        if (bits == 0) return m;
        switch (random() % 8) {
            case 0:
                mpz_setbit(m.get(), bits);
                mpz_sub_ui(m.get(), m.get(), 1);
                return m;
            case 1:
                mpz_setbit(m.get(), bits - 1);
                return m;
            default:
                break;
        }
        for (std::size_t i = 0; i < bits; i += 64) {
            mpz_mul_2exp(m.get(), m.get(), 64);
            mpz_add_ui(m.get(), m.get(), static_cast<unsigned long>(random()));
        }
        mpz_fdiv_r_2exp(m.get(), m.get(), bits);
        mpz_setbit(m.get(), bits - 1);
        return m;
    }

    // 1 to maxBits bits, or zero one time in twenty.
    Mpz anyMagnitude(std::size_t maxBits) {
        if (random() % 20 == 0) return Mpz();
        return magnitude(1 + below(maxBits));
    }

    Signed anySigned(std::size_t maxBits) { return Signed{anyMagnitude(maxBits), coin()}; }

private:
    std::mt19937_64 random;
};

inline std::string describe(const Korvane::BigNumber& n) {
    return std::string(n.isNegative() ? "-" : "+") + magnitudeOf(n).toString() + " (" +
           std::to_string(n.length()) + " digits)";
}

inline std::string describe(const Signed& s) {
    return std::string(s.negative ? "-" : "+") + s.magnitude.toString();
}

inline std::string str(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

}  // namespace korvane_test
