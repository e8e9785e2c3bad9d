// Feeds every file of a fuzz target's corpus to the target's entry point,
// without libFuzzer, so that each corpus input (a fuzz finding once added to
// it included) is a regression test of every build.
//   korvane_fuzz_replay TARGET CORPUS_DIRECTORY
// A target reports a broken property by aborting; the input that did it is
// named on standard error first.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using Entry = int (*)(const std::uint8_t*, std::size_t);
using Initialize = int (*)(int*, char***);

// Each target's entry point, and its optional initialisation (weak: null
// when the target has none).
#define KORVANE_FUZZ_TARGET(name)                                                    \
    extern "C" int korvane_fuzz_##name(const std::uint8_t*, std::size_t);            \
    extern "C" int korvane_fuzz_init_##name(int*, char***) __attribute__((weak));
#include "FuzzTargets.h"
#undef KORVANE_FUZZ_TARGET

namespace {

const struct { const char* name; Entry entry; Initialize initialize; } kTargets[] = {
#define KORVANE_FUZZ_TARGET(name) {#name, korvane_fuzz_##name, korvane_fuzz_init_##name},
#include "FuzzTargets.h"
#undef KORVANE_FUZZ_TARGET
};

std::string current;

extern "C" void nameTheInput(int signal) {
    const std::string message = "\nfailed on corpus input " + current + "\n";
    (void)!write(2, message.data(), message.size());
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARGET CORPUS_DIRECTORY\n", argv[0]);
        return 2;
    }
    Entry entry = nullptr;
    Initialize initialize = nullptr;
    for (const auto& target : kTargets)
        if (std::strcmp(target.name, argv[1]) == 0) entry = target.entry, initialize = target.initialize;
    std::vector<std::filesystem::path> inputs;
    for (const auto& file : std::filesystem::directory_iterator(argv[2])) inputs.push_back(file.path());
    if (entry == nullptr || inputs.empty()) {
        std::fprintf(stderr, "no target %s or no corpus in %s\n", argv[1], argv[2]);
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());
    if (initialize != nullptr) initialize(&argc, &argv);
    for (int signal : {SIGABRT, SIGSEGV, SIGFPE, SIGBUS}) std::signal(signal, nameTheInput);
    for (const auto& path : inputs) {
        current = path.string();
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        entry(data.data(), data.size());
    }
    std::printf("%zu inputs replayed through %s\n", inputs.size(), argv[1]);
    return 0;
}
