// File::load, File::save and the file streams on a 100 MB file, beside
// std::ifstream/std::ofstream and fread/fwrite doing the same work in the
// same run. The files live in a fresh temporary directory that is removed
// at the end.
//
// Writes fill the page cache, and the kernel's write-back of one benchmark's
// 100 MB would slow down the next one: every write iteration starts after a
// sync (outside the clock), and the benchmarks run in random interleaving
// with repetitions unless the command line says otherwise.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "korvane/ByteArray.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

constexpr std::size_t kFileSize = 100u * 1024 * 1024;
// The streams' natural block: what FileInputStream delivers per chunk.
constexpr std::size_t kBlock = 10239;

std::string directory;
std::string readPath;   // holds kFileSize random bytes
std::string writePath;  // rewritten by the write benchmarks

const ByteArray& content() {
    static const ByteArray bytes = [] {
        std::vector<unsigned char> data(kFileSize);
        std::mt19937 random(1);
        for (auto& b : data) b = static_cast<unsigned char>(random());
        return ByteArray(data.data(), static_cast<unsigned int>(data.size()));
    }();
    return bytes;
}

const char* contentBytes() { return static_cast<const char*>(content()); }

// Lets the kernel write out what earlier iterations left dirty.
void settle(benchmark::State& state) {
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
}

void setBytes(benchmark::State& state, std::size_t perIteration = kFileSize) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * perIteration));
}

}  // namespace

// ---- Reading the whole file into memory ---------------------------------------------------------

static void Load_KorvaneFile(benchmark::State& state) {
    for (auto _ : state) {
        const ByteArray data = File::load(readPath.c_str());
        if (data.length() != kFileSize) state.SkipWithError("short load");
        benchmark::DoNotOptimize(data.getData());
    }
    setBytes(state);
}

static void Load_StdIfstream(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(readPath, std::ios::binary);
        in.seekg(0, std::ios::end);
        std::string data(static_cast<std::size_t>(in.tellg()), '\0');
        in.seekg(0);
        in.read(data.data(), static_cast<std::streamsize>(data.size()));
        if (static_cast<std::size_t>(in.gcount()) != kFileSize) state.SkipWithError("short read");
        benchmark::DoNotOptimize(data.data());
    }
    setBytes(state);
}

static void Load_Fread(benchmark::State& state) {
    for (auto _ : state) {
        FILE* f = std::fopen(readPath.c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        std::vector<char> data(static_cast<std::size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        if (std::fread(data.data(), 1, data.size(), f) != kFileSize)
            state.SkipWithError("short read");
        std::fclose(f);
        benchmark::DoNotOptimize(data.data());
    }
    setBytes(state);
}

// ---- Reading block by block ---------------------------------------------------------------------

static void ReadBlocks_KorvaneFileInputStream(benchmark::State& state) {
    for (auto _ : state) {
        FileInputStream in(readPath.c_str());
        ByteArray chunk;
        std::size_t total = 0;
        while (in.hasData()) {
            in >> chunk;
            total += chunk.length();
        }
        if (total != kFileSize) state.SkipWithError("short read");
    }
    setBytes(state);
}

static void ReadBlocks_StdIfstream(benchmark::State& state) {
    std::vector<char> buffer(kBlock);
    for (auto _ : state) {
        std::ifstream in(readPath, std::ios::binary);
        std::size_t total = 0;
        while (in.read(buffer.data(), kBlock) || in.gcount() > 0) {
            total += static_cast<std::size_t>(in.gcount());
            benchmark::DoNotOptimize(buffer.data());
        }
        if (total != kFileSize) state.SkipWithError("short read");
    }
    setBytes(state);
}

static void ReadBlocks_Fread(benchmark::State& state) {
    std::vector<char> buffer(kBlock);
    for (auto _ : state) {
        FILE* f = std::fopen(readPath.c_str(), "rb");
        std::size_t total = 0, got;
        while ((got = std::fread(buffer.data(), 1, kBlock, f)) > 0) {
            total += got;
            benchmark::DoNotOptimize(buffer.data());
        }
        std::fclose(f);
        if (total != kFileSize) state.SkipWithError("short read");
    }
    setBytes(state);
}

// ---- Writing the whole file ---------------------------------------------------------------------

static void Save_KorvaneFile(benchmark::State& state) {
    const ByteArray& data = content();
    for (auto _ : state) {
        settle(state);
        File::save(writePath.c_str(), data);
    }
    setBytes(state);
}

static void Save_StdOfstream(benchmark::State& state) {
    for (auto _ : state) {
        settle(state);
        std::ofstream out(writePath, std::ios::binary);
        out.write(contentBytes(), kFileSize);
        out.close();
        if (!out) state.SkipWithError("write failed");
    }
    setBytes(state);
}

static void Save_Fwrite(benchmark::State& state) {
    for (auto _ : state) {
        settle(state);
        FILE* f = std::fopen(writePath.c_str(), "wb");
        const bool written = std::fwrite(contentBytes(), 1, kFileSize, f) == kFileSize;
        if (std::fclose(f) != 0 || !written) state.SkipWithError("write failed");
    }
    setBytes(state);
}

// ---- Writing block by block ---------------------------------------------------------------------

// Every writer takes its blocks from the same memory: one block of
// kBlock bytes, written over and over, as a producer that fills a block,
// hands it on and fills it again. (Blocks scattered over the heap cost the
// kernel's copy more than one contiguous buffer does, whoever writes them.)
const ByteArray& block() {
    static const ByteArray bytes(contentBytes(), static_cast<unsigned int>(kBlock));
    return bytes;
}

constexpr std::size_t kBlocks = kFileSize / kBlock + 1;

static void WriteBlocks_KorvaneFileOutputStream(benchmark::State& state) {
    const ByteArray& data = block();
    for (auto _ : state) {
        settle(state);
        FileOutputStream out(writePath.c_str());
        for (std::size_t i = 0; i < kBlocks; ++i) out << data;
        out.close();
    }
    setBytes(state, kBlocks * kBlock);
}

static void WriteBlocks_StdOfstream(benchmark::State& state) {
    const char* data = static_cast<const char*>(block());
    for (auto _ : state) {
        settle(state);
        std::ofstream out(writePath, std::ios::binary);
        for (std::size_t i = 0; i < kBlocks; ++i) out.write(data, kBlock);
        out.close();
        if (!out) state.SkipWithError("write failed");
    }
    setBytes(state, kBlocks * kBlock);
}

static void WriteBlocks_Fwrite(benchmark::State& state) {
    const char* data = static_cast<const char*>(block());
    for (auto _ : state) {
        settle(state);
        FILE* f = std::fopen(writePath.c_str(), "wb");
        for (std::size_t i = 0; i < kBlocks; ++i) std::fwrite(data, 1, kBlock, f);
        if (std::fclose(f) != 0) state.SkipWithError("write failed");
    }
    setBytes(state, kBlocks * kBlock);
}

#define KORVANE_FILE_BENCHMARK(name) \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)

KORVANE_FILE_BENCHMARK(Load_KorvaneFile);
KORVANE_FILE_BENCHMARK(Load_StdIfstream);
KORVANE_FILE_BENCHMARK(Load_Fread);
KORVANE_FILE_BENCHMARK(ReadBlocks_KorvaneFileInputStream);
KORVANE_FILE_BENCHMARK(ReadBlocks_StdIfstream);
KORVANE_FILE_BENCHMARK(ReadBlocks_Fread);
KORVANE_FILE_BENCHMARK(Save_KorvaneFile);
KORVANE_FILE_BENCHMARK(Save_StdOfstream);
KORVANE_FILE_BENCHMARK(Save_Fwrite);
KORVANE_FILE_BENCHMARK(WriteBlocks_KorvaneFileOutputStream);
KORVANE_FILE_BENCHMARK(WriteBlocks_StdOfstream);
KORVANE_FILE_BENCHMARK(WriteBlocks_Fwrite);

int main(int argc, char** argv) {
    // Defaults first, so that the caller's own flags win.
    std::vector<char*> arguments{argv[0],
                                 const_cast<char*>("--benchmark_enable_random_interleaving=true"),
                                 const_cast<char*>("--benchmark_repetitions=3"),
                                 const_cast<char*>("--benchmark_report_aggregates_only=true")};
    for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
    int count = static_cast<int>(arguments.size());
    argv = arguments.data();
    argc = count;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                          "/korvane-file-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    directory = pattern;
    readPath = directory + "/read.bin";
    writePath = directory + "/write.bin";
    {
        std::ofstream out(readPath, std::ios::binary);
        out.write(contentBytes(), kFileSize);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    return 0;
}
