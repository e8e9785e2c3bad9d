// Shared pieces of the growth benchmark: size limits, inputs, registration.
//
// Every benchmark is named "Operation/Who/size": Who is Korvane or the peer
// doing the same work. Sizes grow by 10x from 10^3 to 10^7 elements (10^6
// bits for big integers); KORVANE_GROWTH_MAX and KORVANE_GROWTH_MAX_BITS
// lower the caps for quick runs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <string>

namespace growth {

// Keeps a result alive and its memory written, so the measured work stays.
template <class T>
void keep(const T& value) {
    benchmark::DoNotOptimize(&value);
    benchmark::ClobberMemory();
}

// `last` cut to the element or bit limit of this run.
std::size_t elements(std::size_t last);
std::size_t bits(std::size_t last);

// `n` pseudo-random bytes (all values) or lower-case letters, the same for
// every call with the same `n` and `seed`.
std::string randomBytes(std::size_t n, unsigned int seed = 1);
std::string randomLetters(std::size_t n, unsigned int seed = 1);

// The work of one iteration, prepared for a size outside the clock.
using Work = std::function<void()>;
using Prepare = std::function<Work(std::size_t n)>;

// Registers "operation/who" at first, 10 first, ... up to `last`, with a
// complexity fit over the sizes.
void add(const std::string& operation, const std::string& who, std::size_t first, std::size_t last,
         Prepare prepare);

// Element and bit ranges most benchmarks use.
constexpr std::size_t kFirstElements = 1000;
constexpr std::size_t kLastElements = 10000000;
constexpr std::size_t kFirstBits = 1000;
constexpr std::size_t kLastBits = 1000000;

void addTextBenchmarks();
void addNumberBenchmarks();
void addStreamBenchmarks();

}  // namespace growth
