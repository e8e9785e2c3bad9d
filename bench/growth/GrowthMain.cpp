#include <cstdlib>
#include <random>

#include "GrowthSupport.h"

namespace growth {

namespace {
std::size_t limit(const char* variable, std::size_t fallback) {
    const char* text = std::getenv(variable);
    if (text == nullptr || *text == '\0') return fallback;
    return static_cast<std::size_t>(std::strtoull(text, nullptr, 10));
}
}  // namespace

std::size_t elements(std::size_t last) {
    const std::size_t cap = limit("KORVANE_GROWTH_MAX", kLastElements);
    return last < cap ? last : cap;
}

std::size_t bits(std::size_t last) {
    const std::size_t cap = limit("KORVANE_GROWTH_MAX_BITS", kLastBits);
    return last < cap ? last : cap;
}

std::string randomBytes(std::size_t n, unsigned int seed) {
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string randomLetters(std::size_t n, unsigned int seed) {
    std::mt19937 random(seed);
    std::string letters(n, 'a');
    for (char& c : letters) c = static_cast<char>('a' + random() % 26);
    return letters;
}

void add(const std::string& operation, const std::string& who, std::size_t first, std::size_t last,
         Prepare prepare) {
    if (first > last) return;
    auto* benchmark = benchmark::RegisterBenchmark((operation + "/" + who).c_str(), [prepare](benchmark::State& state) {
        const Work work = prepare(static_cast<std::size_t>(state.range(0)));
        for (auto _ : state) work();
        state.SetComplexityN(state.range(0));
    });
    for (std::size_t n = first; n <= last; n *= 10) benchmark->Arg(static_cast<long>(n));
    benchmark->Complexity()->Unit(benchmark::kMicrosecond);
}

}  // namespace growth

int main(int argc, char** argv) {
    growth::addTextBenchmarks();
    growth::addNumberBenchmarks();
    growth::addStreamBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
