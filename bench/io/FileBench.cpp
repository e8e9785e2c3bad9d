// File::load, File::save and the file streams on a 100 MB file, beside
// std::ifstream/std::ofstream and fread/fwrite doing the same work in the
// same run. The files live in a fresh temporary directory that is removed
// at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

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

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
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
    for (auto _ : state) File::save(writePath.c_str(), data);
    setBytes(state);
}

static void Save_StdOfstream(benchmark::State& state) {
    for (auto _ : state) {
        std::ofstream out(writePath, std::ios::binary);
        out.write(contentBytes(), kFileSize);
        out.close();
        if (!out) state.SkipWithError("write failed");
    }
    setBytes(state);
}

static void Save_Fwrite(benchmark::State& state) {
    for (auto _ : state) {
        FILE* f = std::fopen(writePath.c_str(), "wb");
        const bool written = std::fwrite(contentBytes(), 1, kFileSize, f) == kFileSize;
        if (std::fclose(f) != 0 || !written) state.SkipWithError("write failed");
    }
    setBytes(state);
}

// ---- Writing block by block ---------------------------------------------------------------------

// The blocks are ready before the clock runs, as a producer would hand them.
static std::vector<ByteArray> contentBlocks() {
    std::vector<ByteArray> blocks;
    for (std::size_t at = 0; at < kFileSize; at += kBlock)
        blocks.emplace_back(contentBytes() + at,
                            static_cast<unsigned int>(std::min(kBlock, kFileSize - at)));
    return blocks;
}

static void WriteBlocks_KorvaneFileOutputStream(benchmark::State& state) {
    const std::vector<ByteArray> blocks = contentBlocks();
    for (auto _ : state) {
        FileOutputStream out(writePath.c_str());
        for (const ByteArray& block : blocks) out << block;
        out.close();
    }
    setBytes(state);
}

static void WriteBlocks_StdOfstream(benchmark::State& state) {
    for (auto _ : state) {
        std::ofstream out(writePath, std::ios::binary);
        for (std::size_t at = 0; at < kFileSize; at += kBlock)
            out.write(contentBytes() + at,
                      static_cast<std::streamsize>(std::min(kBlock, kFileSize - at)));
        out.close();
        if (!out) state.SkipWithError("write failed");
    }
    setBytes(state);
}

static void WriteBlocks_Fwrite(benchmark::State& state) {
    for (auto _ : state) {
        FILE* f = std::fopen(writePath.c_str(), "wb");
        for (std::size_t at = 0; at < kFileSize; at += kBlock)
            std::fwrite(contentBytes() + at, 1, std::min(kBlock, kFileSize - at), f);
        if (std::fclose(f) != 0) state.SkipWithError("write failed");
    }
    setBytes(state);
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
