// Building, copying and joining text with String, ByteArray and std::string
// side by side, at sizes from 10^3 to 10^7 bytes. Each benchmark is named
// "Work/Who/bytes", so ratios pair up by name; run with repetitions and
// --benchmark_enable_random_interleaving=true on a shared machine, and
// compare medians (build_ratios.py prints them).
#include <benchmark/benchmark.h>

#include <string>

#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

// The same few operations spelled for each text type.
struct ForString {
    using Text = String;
    static Text fromPiece(const std::string& s) { return Text(std::string_view(s)); }
    static const void* data(const Text& t) { return t.getData(); }
};
struct ForByteArray {
    using Text = ByteArray;
    static Text fromPiece(const std::string& s) {
        return Text(s.data(), static_cast<unsigned int>(s.size()));
    }
    static const void* data(const Text& t) { return t.getData(); }
};
struct ForStdString {
    using Text = std::string;
    static Text fromPiece(const std::string& s) { return s; }
    static const void* data(const Text& t) { return t.data(); }
};

std::string letters(std::size_t n) {
    std::string s(n, 'a');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return s;
}

template <class Kind>
void AppendChar(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        typename Kind::Text text;
        for (std::size_t i = 0; i < n; ++i) text += static_cast<char>('a' + (i & 15));
        benchmark::DoNotOptimize(Kind::data(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

template <class Kind>
void Append100(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const typename Kind::Text piece = Kind::fromPiece(letters(100));
    for (auto _ : state) {
        typename Kind::Text text;
        for (std::size_t i = 0; i < n; i += 100) text += piece;
        benchmark::DoNotOptimize(Kind::data(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

template <class Kind>
void Copy(benchmark::State& state) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const typename Kind::Text original = Kind::fromPiece(letters(n));
    for (auto _ : state) {
        typename Kind::Text copy(original);
        benchmark::DoNotOptimize(Kind::data(copy));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

template <class Kind>
void Concatenate4K(benchmark::State& state) {
    const typename Kind::Text left = Kind::fromPiece(letters(4096));
    const typename Kind::Text right = Kind::fromPiece(letters(4096).substr(1) + "z");
    for (auto _ : state) {
        typename Kind::Text joined = left + right;
        benchmark::DoNotOptimize(Kind::data(joined));
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    for (long n = 1000; n <= 10000000; n *= 10) b->Arg(n);
}

}  // namespace

#define KORVANE_SIDE_BY_SIDE(work)                                                       \
    BENCHMARK_TEMPLATE(work, ForString)->Name(#work "/String")->Apply(sizes);            \
    BENCHMARK_TEMPLATE(work, ForByteArray)->Name(#work "/ByteArray")->Apply(sizes);      \
    BENCHMARK_TEMPLATE(work, ForStdString)->Name(#work "/std::string")->Apply(sizes)

KORVANE_SIDE_BY_SIDE(AppendChar);
KORVANE_SIDE_BY_SIDE(Append100);
KORVANE_SIDE_BY_SIDE(Copy);

BENCHMARK_TEMPLATE(Concatenate4K, ForString)->Name("Concatenate4K/String");
BENCHMARK_TEMPLATE(Concatenate4K, ForByteArray)->Name("Concatenate4K/ByteArray");
BENCHMARK_TEMPLATE(Concatenate4K, ForStdString)->Name("Concatenate4K/std::string");

BENCHMARK_MAIN();
