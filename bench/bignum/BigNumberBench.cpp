// BigNumber beside OpenSSL's BIGNUM and GMP's mpz on the same operands in the
// same run: modular exponentiation, multiplication, division, the modular
// inverse and decimal conversion at key sizes.
//
// The families named Work/Who run every operation from 512 to 16384 bits;
// bench/text/build_ratios.py runs them interleaved and prints the ratios:
//     build_ratios.py korvane_bignum_bench --filter '/' --peer GMP --peer OpenSSL
#include <benchmark/benchmark.h>
#include <gmp.h>
#include <openssl/bn.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "korvane/BigNumber.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

// One operand in all three representations.
struct Operand {
    BigNumber number;
    BIGNUM* openssl = BN_new();
    mpz_t gmp;

    explicit Operand(const mpz_t value) {
        mpz_init_set(gmp, value);
        std::vector<char> hex(mpz_sizeinbase(value, 16) + 2);
        mpz_get_str(hex.data(), 16, value);
        number = BigNumber::fromBase(String(hex.data()), 16);
        BN_hex2bn(&openssl, hex.data());
    }
    ~Operand() {
        BN_free(openssl);
        mpz_clear(gmp);
    }
    Operand(const Operand&) = delete;
    Operand& operator=(const Operand&) = delete;
};

class Operands {
public:
    Operands() {
        gmp_randinit_mt(state);
        gmp_randseed_ui(state, 20240611);
    }
    ~Operands() { gmp_randclear(state); }

    // A random number of exactly `bits` bits, odd when asked.
    std::unique_ptr<Operand> random(unsigned long bits, bool odd) {
        mpz_t value;
        mpz_init(value);
        mpz_urandomb(value, state, bits);
        mpz_setbit(value, bits - 1);
        if (odd) mpz_setbit(value, 0);
        auto operand = std::make_unique<Operand>(value);
        mpz_clear(value);
        return operand;
    }

    std::unique_ptr<Operand> prime(unsigned long bits) {
        mpz_t value;
        mpz_init(value);
        mpz_urandomb(value, state, bits);
        mpz_setbit(value, bits - 1);
        mpz_nextprime(value, value);
        auto operand = std::make_unique<Operand>(value);
        mpz_clear(value);
        return operand;
    }

    // Below `bound`.
    std::unique_ptr<Operand> below(const Operand& bound) {
        mpz_t value;
        mpz_init(value);
        mpz_urandomm(value, state, bound.gmp);
        auto operand = std::make_unique<Operand>(value);
        mpz_clear(value);
        return operand;
    }

private:
    gmp_randstate_t state;
};

Operands& operands() {
    static Operands instance;
    return instance;
}

struct PowerCase {
    std::unique_ptr<Operand> base, exponent, modulus;
};

// Full-size exponent, base below the odd modulus.
const PowerCase& powerCase(unsigned long bits) {
    static std::map<unsigned long, PowerCase> cases;
    auto found = cases.find(bits);
    if (found != cases.end()) return found->second;
    PowerCase& c = cases[bits];
    c.modulus = operands().random(bits, true);
    c.exponent = operands().random(bits, false);
    c.base = operands().below(*c.modulus);
    return c;
}

BN_CTX* context() {
    static BN_CTX* ctx = BN_CTX_new();
    return ctx;
}

}  // namespace

// ---- Modular exponentiation ---------------------------------------------------

static void ExpModKorvane(benchmark::State& state) {
    const PowerCase& c = powerCase(static_cast<unsigned long>(state.range(0)));
    for (auto _ : state) {
        BigNumber r = c.base->number.expMod(c.exponent->number, c.modulus->number);
        benchmark::DoNotOptimize(r.getData());
    }
}
static void ExpModOpenSSL(benchmark::State& state) {
    const PowerCase& c = powerCase(static_cast<unsigned long>(state.range(0)));
    BIGNUM* r = BN_new();
    for (auto _ : state) {
        BN_mod_exp(r, c.base->openssl, c.exponent->openssl, c.modulus->openssl, context());
        benchmark::DoNotOptimize(r);
    }
    BN_free(r);
}
static void ExpModGMP(benchmark::State& state) {
    const PowerCase& c = powerCase(static_cast<unsigned long>(state.range(0)));
    mpz_t r;
    mpz_init(r);
    for (auto _ : state) {
        mpz_powm(r, c.base->gmp, c.exponent->gmp, c.modulus->gmp);
        benchmark::DoNotOptimize(r);
    }
    mpz_clear(r);
}
// The constant-time peers, the fair comparison for expMod, which never
// lets the exponent or the base steer a branch or an address.
static void ExpModOpenSSLConstTime(benchmark::State& state) {
    const PowerCase& c = powerCase(static_cast<unsigned long>(state.range(0)));
    BIGNUM* r = BN_new();
    for (auto _ : state) {
        BN_mod_exp_mont_consttime(r, c.base->openssl, c.exponent->openssl, c.modulus->openssl, context(), nullptr);
        benchmark::DoNotOptimize(r);
    }
    BN_free(r);
}
static void ExpModGMPSec(benchmark::State& state) {
    const PowerCase& c = powerCase(static_cast<unsigned long>(state.range(0)));
    mpz_t r;
    mpz_init(r);
    for (auto _ : state) {
        mpz_powm_sec(r, c.base->gmp, c.exponent->gmp, c.modulus->gmp);
        benchmark::DoNotOptimize(r);
    }
    mpz_clear(r);
}
BENCHMARK(ExpModKorvane)->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExpModOpenSSLConstTime)->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExpModGMPSec)->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExpModOpenSSL)->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExpModGMP)->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096)->Unit(benchmark::kMicrosecond);

// ---- Multiplication and division, 2048 by 1024 bits -----------------------------

namespace {
struct ProductCase {
    std::unique_ptr<Operand> wide = operands().random(2048, false);
    std::unique_ptr<Operand> narrow = operands().random(1024, false);
};
const ProductCase& productCase() {
    static ProductCase c;
    return c;
}
}  // namespace

static void MultiplyKorvane(benchmark::State& state) {
    const ProductCase& c = productCase();
    for (auto _ : state) {
        BigNumber r = c.wide->number.multiply(c.narrow->number);
        benchmark::DoNotOptimize(r.getData());
    }
}
static void MultiplyOpenSSL(benchmark::State& state) {
    const ProductCase& c = productCase();
    BIGNUM* r = BN_new();
    for (auto _ : state) {
        BN_mul(r, c.wide->openssl, c.narrow->openssl, context());
        benchmark::DoNotOptimize(r);
    }
    BN_free(r);
}
static void MultiplyGMP(benchmark::State& state) {
    const ProductCase& c = productCase();
    mpz_t r;
    mpz_init(r);
    for (auto _ : state) {
        mpz_mul(r, c.wide->gmp, c.narrow->gmp);
        benchmark::DoNotOptimize(r);
    }
    mpz_clear(r);
}
BENCHMARK(MultiplyKorvane);
BENCHMARK(MultiplyOpenSSL);
BENCHMARK(MultiplyGMP);

static void DivideKorvane(benchmark::State& state) {
    const ProductCase& c = productCase();
    for (auto _ : state) {
        BigNumber r = c.wide->number.divide(c.narrow->number);
        benchmark::DoNotOptimize(r.getData());
    }
}
static void DivideOpenSSL(benchmark::State& state) {
    const ProductCase& c = productCase();
    BIGNUM* q = BN_new();
    for (auto _ : state) {
        BN_div(q, nullptr, c.wide->openssl, c.narrow->openssl, context());
        benchmark::DoNotOptimize(q);
    }
    BN_free(q);
}
static void DivideGMP(benchmark::State& state) {
    const ProductCase& c = productCase();
    mpz_t q;
    mpz_init(q);
    for (auto _ : state) {
        mpz_tdiv_q(q, c.wide->gmp, c.narrow->gmp);
        benchmark::DoNotOptimize(q);
    }
    mpz_clear(q);
}
BENCHMARK(DivideKorvane);
BENCHMARK(DivideOpenSSL);
BENCHMARK(DivideGMP);

// ---- Modular inverse modulo a 1024-bit prime -------------------------------------

namespace {
struct InverseCase {
    std::unique_ptr<Operand> modulus = operands().prime(1024);
    std::unique_ptr<Operand> number = operands().below(*modulus);
};
const InverseCase& inverseCase() {
    static InverseCase c;
    return c;
}
}  // namespace

static void MulInvKorvane(benchmark::State& state) {
    const InverseCase& c = inverseCase();
    for (auto _ : state) {
        BigNumber r = c.number->number.mulInv(c.modulus->number);
        benchmark::DoNotOptimize(r.getData());
    }
}
static void MulInvOpenSSL(benchmark::State& state) {
    const InverseCase& c = inverseCase();
    BIGNUM* r = BN_new();
    for (auto _ : state) {
        BN_mod_inverse(r, c.number->openssl, c.modulus->openssl, context());
        benchmark::DoNotOptimize(r);
    }
    BN_free(r);
}
static void MulInvGMP(benchmark::State& state) {
    const InverseCase& c = inverseCase();
    mpz_t r;
    mpz_init(r);
    for (auto _ : state) {
        mpz_invert(r, c.number->gmp, c.modulus->gmp);
        benchmark::DoNotOptimize(r);
    }
    mpz_clear(r);
}
BENCHMARK(MulInvKorvane);
BENCHMARK(MulInvOpenSSL);
BENCHMARK(MulInvGMP);

// ---- Decimal text: a 4096-bit number out, a 2000-digit number in -----------------

namespace {
const Operand& textNumber() {
    static std::unique_ptr<Operand> number = operands().random(4096, false);
    return *number;
}
const std::string& decimalText() {
    static const std::string text = [] {
        std::string digits;
        unsigned int x = 12345;
        for (int i = 0; i < 2000; ++i) {
            x = x * 1103515245u + 12345u;
            digits += static_cast<char>('0' + (x >> 16) % 10);
        }
        digits[0] = '7';
        return digits;
    }();
    return text;
}
}  // namespace

static void ToDecimalKorvane(benchmark::State& state) {
    const Operand& n = textNumber();
    for (auto _ : state) {
        String text = n.number.toBase(10);
        benchmark::DoNotOptimize(text.getData());
    }
}
static void ToDecimalOpenSSL(benchmark::State& state) {
    const Operand& n = textNumber();
    for (auto _ : state) {
        char* text = BN_bn2dec(n.openssl);
        benchmark::DoNotOptimize(text);
        OPENSSL_free(text);
    }
}
static void ToDecimalGMP(benchmark::State& state) {
    const Operand& n = textNumber();
    std::vector<char> buffer(mpz_sizeinbase(n.gmp, 10) + 2);
    for (auto _ : state) {
        mpz_get_str(buffer.data(), 10, n.gmp);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(ToDecimalKorvane);
BENCHMARK(ToDecimalOpenSSL);
BENCHMARK(ToDecimalGMP);

static void FromDecimalKorvane(benchmark::State& state) {
    const String text(decimalText().c_str());
    for (auto _ : state) {
        BigNumber n = BigNumber::fromBase(text, 10);
        benchmark::DoNotOptimize(n.getData());
    }
}
static void FromDecimalOpenSSL(benchmark::State& state) {
    BIGNUM* n = BN_new();
    for (auto _ : state) {
        BN_dec2bn(&n, decimalText().c_str());
        benchmark::DoNotOptimize(n);
    }
    BN_free(n);
}
static void FromDecimalGMP(benchmark::State& state) {
    mpz_t n;
    mpz_init(n);
    for (auto _ : state) {
        mpz_set_str(n, decimalText().c_str(), 10);
        benchmark::DoNotOptimize(n);
    }
    mpz_clear(n);
}
BENCHMARK(FromDecimalKorvane);
BENCHMARK(FromDecimalOpenSSL);
BENCHMARK(FromDecimalGMP);

// ---- Every operation at key sizes, 512 to 16384 bits -------------------------------

namespace {
struct SizedCase {
    std::unique_ptr<Operand> x, y;             // n bits each
    std::unique_ptr<Operand> dividend;         // 2n bits
    std::unique_ptr<Operand> modulus, unit;    // odd n-bit modulus, a unit below it
    std::string decimal, hex;                  // x as text
};

std::string text(const mpz_t value, int base) {
    std::vector<char> buffer(mpz_sizeinbase(value, base) + 2);
    mpz_get_str(buffer.data(), base, value);
    return buffer.data();
}

const SizedCase& sizedCase(unsigned long bits) {
    static std::map<unsigned long, SizedCase> cases;
    auto found = cases.find(bits);
    if (found != cases.end()) return found->second;
    SizedCase& c = cases[bits];
    c.x = operands().random(bits, false);
    c.y = operands().random(bits, false);
    c.dividend = operands().random(2 * bits, false);
    c.modulus = operands().random(bits, true);
    mpz_t gcd;
    mpz_init(gcd);
    do {
        c.unit = operands().below(*c.modulus);
        mpz_gcd(gcd, c.unit->gmp, c.modulus->gmp);
    } while (mpz_cmp_ui(gcd, 1) != 0);
    mpz_clear(gcd);
    c.decimal = text(c.x->gmp, 10);
    c.hex = text(c.x->gmp, 16);
    return c;
}

template <class Body>
void sized(const char* name, Body body) {
    auto* family = benchmark::RegisterBenchmark(name, [body](benchmark::State& state) {
        body(state, sizedCase(static_cast<unsigned long>(state.range(0))));
    });
    for (long bits : {512, 1024, 2048, 4096, 8192, 16384}) family->Arg(bits);
    family->Unit(benchmark::kMicrosecond);
}

template <class Operation>
void korvane(benchmark::State& state, Operation operation) {
    for (auto _ : state) {
        auto result = operation();
        benchmark::DoNotOptimize(result.getData());
    }
}

template <class Operation>
void openssl(benchmark::State& state, Operation operation) {
    BIGNUM* r = BN_new();
    for (auto _ : state) {
        operation(r);
        benchmark::DoNotOptimize(r);
    }
    BN_free(r);
}

template <class Operation>
void gmp(benchmark::State& state, Operation operation) {
    mpz_t r;
    mpz_init(r);
    for (auto _ : state) {
        operation(r);
        benchmark::DoNotOptimize(r);
    }
    mpz_clear(r);
}

using Case = const SizedCase&;
using State = benchmark::State&;

const bool sizedRegistered = [] {
    sized("Mul/Korvane", [](State s, Case c) { korvane(s, [&] { return c.x->number.multiply(c.y->number); }); });
    sized("Mul/OpenSSL", [](State s, Case c) {
        openssl(s, [&](BIGNUM* r) { BN_mul(r, c.x->openssl, c.y->openssl, context()); });
    });
    sized("Mul/GMP", [](State s, Case c) { gmp(s, [&](mpz_ptr r) { mpz_mul(r, c.x->gmp, c.y->gmp); }); });

    sized("Div/Korvane",
          [](State s, Case c) { korvane(s, [&] { return c.dividend->number.divide(c.x->number); }); });
    // The peers give quotient and remainder, as BN_div and mpz_tdiv_qr do;
    // GMPQuotient is GMP's quotient alone, from an approximate quotient.
    sized("Div/OpenSSL", [](State s, Case c) {
        BIGNUM* r = BN_new();
        openssl(s, [&](BIGNUM* q) { BN_div(q, r, c.dividend->openssl, c.x->openssl, context()); });
        BN_free(r);
    });
    sized("Div/GMP", [](State s, Case c) {
        mpz_t r;
        mpz_init(r);
        gmp(s, [&](mpz_ptr q) { mpz_tdiv_qr(q, r, c.dividend->gmp, c.x->gmp); });
        mpz_clear(r);
    });
    sized("Div/GMPQuotient",
          [](State s, Case c) { gmp(s, [&](mpz_ptr q) { mpz_tdiv_q(q, c.dividend->gmp, c.x->gmp); }); });

    sized("Mod/Korvane",
          [](State s, Case c) { korvane(s, [&] { return c.dividend->number.mod(c.x->number); }); });
    sized("Mod/OpenSSL", [](State s, Case c) {
        openssl(s, [&](BIGNUM* r) { BN_div(nullptr, r, c.dividend->openssl, c.x->openssl, context()); });
    });
    sized("Mod/GMP",
          [](State s, Case c) { gmp(s, [&](mpz_ptr r) { mpz_tdiv_r(r, c.dividend->gmp, c.x->gmp); }); });

    sized("MulInv/Korvane",
          [](State s, Case c) { korvane(s, [&] { return c.unit->number.mulInv(c.modulus->number); }); });
    sized("MulInv/OpenSSL", [](State s, Case c) {
        openssl(s, [&](BIGNUM* r) { BN_mod_inverse(r, c.unit->openssl, c.modulus->openssl, context()); });
    });
    sized("MulInv/GMP",
          [](State s, Case c) { gmp(s, [&](mpz_ptr r) { mpz_invert(r, c.unit->gmp, c.modulus->gmp); }); });

    for (const int base : {10, 16}) {
        const bool decimal = base == 10;
        sized(decimal ? "ToBase10/Korvane" : "ToBase16/Korvane",
              [base](State s, Case c) { korvane(s, [&] { return c.x->number.toBase(base); }); });
        sized(decimal ? "ToBase10/OpenSSL" : "ToBase16/OpenSSL", [decimal](State s, Case c) {
            for (auto _ : s) {
                char* out = decimal ? BN_bn2dec(c.x->openssl) : BN_bn2hex(c.x->openssl);
                benchmark::DoNotOptimize(out);
                OPENSSL_free(out);
            }
        });
        sized(decimal ? "ToBase10/GMP" : "ToBase16/GMP", [base](State s, Case c) {
            std::vector<char> buffer(mpz_sizeinbase(c.x->gmp, base) + 2);
            for (auto _ : s) {
                mpz_get_str(buffer.data(), base, c.x->gmp);
                benchmark::DoNotOptimize(buffer.data());
            }
        });

        sized(decimal ? "FromBase10/Korvane" : "FromBase16/Korvane", [base, decimal](State s, Case c) {
            const String in((decimal ? c.decimal : c.hex).c_str());
            korvane(s, [&] { return BigNumber::fromBase(in, base); });
        });
        sized(decimal ? "FromBase10/OpenSSL" : "FromBase16/OpenSSL", [decimal](State s, Case c) {
            const char* in = (decimal ? c.decimal : c.hex).c_str();
            openssl(s, [&](BIGNUM* r) { decimal ? BN_dec2bn(&r, in) : BN_hex2bn(&r, in); });
        });
        sized(decimal ? "FromBase10/GMP" : "FromBase16/GMP", [base, decimal](State s, Case c) {
            const char* in = (decimal ? c.decimal : c.hex).c_str();
            gmp(s, [&](mpz_ptr r) { mpz_set_str(r, in, base); });
        });
    }
    return true;
}();
}  // namespace

BENCHMARK_MAIN();
