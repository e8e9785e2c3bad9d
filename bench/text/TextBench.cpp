// String and ByteArray against std::string on the same work.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "korvane/ByteArray.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {
constexpr int kAppends = 1000000;

std::string randomText(std::size_t length) {
    std::mt19937 random(7);
    std::string text(length, ' ');
    for (auto& c : text) c = static_cast<char>('a' + random() % 26);
    return text;
}

const std::string& megabyte() {
    static const std::string text = randomText(1 << 20);
    return text;
}
// A needle that occurs only at the very end.
const char* const kNeedle = "0123456789needle";
}  // namespace

static void AppendCharString(benchmark::State& state) {
    for (auto _ : state) {
        String s;
        for (int i = 0; i < kAppends; ++i) s += static_cast<char>('a' + (i & 15));
        benchmark::DoNotOptimize(s.getData());
    }
}
BENCHMARK(AppendCharString)->Unit(benchmark::kMillisecond);

static void AppendByteByteArray(benchmark::State& state) {
    for (auto _ : state) {
        ByteArray b;
        for (int i = 0; i < kAppends; ++i) b += static_cast<char>(i);
        benchmark::DoNotOptimize(b.getData());
    }
}
BENCHMARK(AppendByteByteArray)->Unit(benchmark::kMillisecond);

static void AppendCharStdString(benchmark::State& state) {
    for (auto _ : state) {
        std::string s;
        for (int i = 0; i < kAppends; ++i) s += static_cast<char>('a' + (i & 15));
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(AppendCharStdString)->Unit(benchmark::kMillisecond);

static void ConcatenateString(benchmark::State& state) {
    const String left(randomText(4096).c_str()), right(randomText(4096).c_str());
    for (auto _ : state) {
        String joined = left + right;
        benchmark::DoNotOptimize(joined.getData());
    }
}
BENCHMARK(ConcatenateString);

static void ConcatenateByteArray(benchmark::State& state) {
    const std::string l = randomText(4096), r = randomText(4096);
    const ByteArray left(l.data(), 4096u), right(r.data(), 4096u);
    for (auto _ : state) {
        ByteArray joined = left + right;
        benchmark::DoNotOptimize(joined.getData());
    }
}
BENCHMARK(ConcatenateByteArray);

static void ConcatenateStdString(benchmark::State& state) {
    const std::string left = randomText(4096), right = randomText(4096);
    for (auto _ : state) {
        std::string joined = left + right;
        benchmark::DoNotOptimize(joined.data());
    }
}
BENCHMARK(ConcatenateStdString);

static void FindString(benchmark::State& state) {
    const String text((megabyte() + kNeedle).c_str());
    const String needle(kNeedle);
    for (auto _ : state) benchmark::DoNotOptimize(text.find(needle));
}
BENCHMARK(FindString)->Unit(benchmark::kMicrosecond);

static void FindByteArray(benchmark::State& state) {
    const std::string all = megabyte() + kNeedle;
    const ByteArray text(all.data(), static_cast<unsigned int>(all.size()));
    const ByteArray needle(kNeedle);
    for (auto _ : state) benchmark::DoNotOptimize(text.find(needle));
}
BENCHMARK(FindByteArray)->Unit(benchmark::kMicrosecond);

static void FindStdString(benchmark::State& state) {
    const std::string text = megabyte() + kNeedle;
    const std::string needle(kNeedle);
    for (auto _ : state) benchmark::DoNotOptimize(text.find(needle));
}
BENCHMARK(FindStdString)->Unit(benchmark::kMicrosecond);

// Growing a vector of 1,000 strings of 40 characters (longer than any small
// string buffer): each element is built once, and each reallocation of the
// vector moves the elements already in it.
constexpr int kVectorElements = 1000;
const char* const kElementText = "a forty character line of vector content";

template <class Text>
void GrowVector(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<Text> texts;
        for (int i = 0; i < kVectorElements; ++i) texts.push_back(Text(kElementText));
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK_TEMPLATE(GrowVector, String)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(GrowVector, std::string)->Unit(benchmark::kMicrosecond);

// The growth alone: the 1,000 strings exist already and are moved into a
// vector that grows as they come (and moved back for the next round).
template <class Text>
void GrowVectorByMoving(benchmark::State& state) {
    std::vector<Text> source(kVectorElements, Text(kElementText));
    for (auto _ : state) {
        std::vector<Text> texts;
        for (Text& text : source) texts.push_back(std::move(text));
        for (int i = 0; i < kVectorElements; ++i) source[i] = std::move(texts[i]);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK_TEMPLATE(GrowVectorByMoving, String)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(GrowVectorByMoving, std::string)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
