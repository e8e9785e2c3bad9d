// Random sequences of stream operations on a ByteArrayInputStream, on a
// pass-through FilteredInputStream over one, or on a FileInputStream over a
// file of the same bytes, against a reference model of
// what a caller can observe: the bytes delivered, the push-back errors, the
// count, hasData() and, at the end, everything left in the stream.
//
// Input: a header (stream kind and filter chunk size, source length, source
// seed), then operations of one code byte and two argument bytes each.
// The file stream reads a file in a temporary directory of the process,
// written afresh for each input.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "io/StreamReferenceModel.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FileInputStream.h"
#include "korvane/FilteredInputStream.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {

// A filter that passes its source through in blocks of a fixed size, taken
// with the source's readBlob, and honours the push-back contract.
class PassThrough : public FilteredInputStream {
public:
    PassThrough(InputStream& source, unsigned int blockSize)
        : FilteredInputStream(source), blockSize(blockSize) {}
    InputStream& operator>>(ByteArray& chunk) override {
        if (deliverPushedBack(chunk)) return *this;
        chunk = getSource().readBlob(blockSize);
        countDelivered(chunk.length());
        return *this;
    }
    using InputStream::operator>>;

private:
    unsigned int blockSize;
};

using Model = korvane_test::StreamModel;

std::string of(const ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}
ByteArray bytes(const std::string& s) { return ByteArray(s.data(), static_cast<unsigned int>(s.size())); }

// Deterministic filler bytes; their values matter only in being varied.
std::string filler(std::size_t n, unsigned int seed) {
    std::string s(n, '\0');
    unsigned int state = seed * 2654435761u + 1;
    for (auto& c : s) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return s;
}

bool isError31(const QuillonException& e, const char* location) {
    return e.getErrorStackSize() == 1 && e.getErrNo(0) == 31 &&
           std::string(e.getErrLocation(0).getData()) == location &&
           e.getExtraInfo(0).length() == 0;
}

}  // namespace

namespace {
// The source file of the file streams, in a directory of this process.
std::string sourcePath;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/korvane-stream-fuzz-XXXXXX";
    FUZZ_CHECK(mkdtemp(&pattern[0]) != nullptr);
    sourcePath = pattern + "/source";
    std::atexit([] {
        std::remove(sourcePath.c_str());
        rmdir(sourcePath.substr(0, sourcePath.rfind('/')).c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    constexpr std::size_t memoryChunk = 10240, fileChunk = 10239;
    const unsigned int kind = data[0] % 3;  // memory, filter, file
    const bool filtered = kind == 1, onFile = kind == 2;
    const unsigned int filterBlock = 1 + (data[0] >> 2) % 128;
    // Up to three memory chunks and a bit, so the chunk edges are reached;
    // the filter's blocks are small, and a short source keeps it quick.
    const std::size_t sourceLength =
        ((data[1] << 8) | data[2]) % (filtered ? 2048 : 3 * memoryChunk + 64);

    Model model;
    model.source = filler(sourceLength, data[3]);
    model.chunkSize = filtered ? filterBlock : onFile ? fileChunk : memoryChunk;

    auto memory = std::make_unique<ByteArrayInputStream>(bytes(model.source));
    std::unique_ptr<PassThrough> filter;
    if (filtered) filter = std::make_unique<PassThrough>(*memory, filterBlock);
    std::unique_ptr<FileInputStream> file;
    if (onFile) {
        std::FILE* out = std::fopen(sourcePath.c_str(), "wb");
        FUZZ_CHECK(out != nullptr);
        FUZZ_CHECK(std::fwrite(model.source.data(), 1, model.source.size(), out) == model.source.size());
        std::fclose(out);
        file = std::make_unique<FileInputStream>(String(sourcePath.c_str()));
    }
    auto stream = [&]() -> InputStream& {
        if (filtered) return *filter;
        if (onFile) return *file;
        return *memory;
    };

    for (std::size_t at = 4; at + 3 <= size; at += 3) {
        const unsigned int code = data[at] % 11;
        const std::size_t argument = (data[at + 1] << 8) | data[at + 2];
        // Lengths around the edges of both chunk sizes.
        const std::size_t n = argument % (data[at] & 0x80 ? 2 * memoryChunk + 8 : 300);
        InputStream& in = stream();
        switch (code) {
            case 0:
            case 1:
                FUZZ_CHECK(of(in.readBlob(static_cast<unsigned int>(n))) == model.readBlob(n));
                break;
            case 2: {
                const std::size_t before = model.count;
                const std::string expected = model.readBlob(n);
                model.pushedBack = expected + model.pushedBack;
                model.count = before;
                FUZZ_CHECK(of(in.peek(static_cast<unsigned int>(n))) == expected);
                break;
            }
            case 3: {
                ByteArray chunk("stale");
                in >> chunk;
                FUZZ_CHECK(of(chunk) == model.chunk());
                break;
            }
            case 4: {
                const char c = static_cast<char>(argument);
                bool thrown = false;
                try {
                    in.pushBack(c);
                } catch (const QuillonException& e) {
                    FUZZ_CHECK(isError31(e, "InputStream::pushBack(char)"));
                    thrown = true;
                }
                FUZZ_CHECK(thrown == (model.count == 0));
                if (!thrown) {
                    model.pushedBack.insert(model.pushedBack.begin(), c);
                    --model.count;
                }
                break;
            }
            case 5:
            case 6: {
                // Near the count, so both sides of the limit are tried.
                std::size_t wanted = n;
                if (code == 5) wanted = model.count + argument % 3 == 0 ? 0 : model.count + argument % 3 - 1;
                const std::string back = filler(wanted, static_cast<unsigned int>(argument));
                bool thrown = false;
                try {
                    in.pushBack(bytes(back));
                } catch (const QuillonException& e) {
                    FUZZ_CHECK(isError31(e, "InputStream::pushBack(const ByteArray&)"));
                    thrown = true;
                }
                FUZZ_CHECK(thrown == (back.size() > model.count));
                if (!thrown) {
                    model.pushedBack = back + model.pushedBack;
                    model.count -= back.size();
                }
                break;
            }
            case 7: {
                const std::string other = filler(n, static_cast<unsigned int>(argument) + 7);
                ByteArrayInputStream otherStream(bytes(other));
                in << otherStream;
                FUZZ_CHECK(!otherStream.hasData());
                model.pushedBack += other;
                break;
            }
            case 8:
                in << in;
                break;
            case 9:
                if (kind == 0) FUZZ_CHECK(of(memory->getByteArray()) == model.remaining());
                break;
            case 10:
                // A copy carries on where the original stopped.
                if (kind == 0) {
                    auto copy = std::make_unique<ByteArrayInputStream>(*memory);
                    if (argument & 1) {
                        ByteArrayInputStream assigned(ByteArray("other"));
                        assigned = *copy;
                        copy = std::make_unique<ByteArrayInputStream>(assigned);
                    }
                    memory = std::move(copy);
                }
                break;
        }
        FUZZ_CHECK(stream().getCount() == model.count);
        FUZZ_CHECK(stream().hasData() == model.hasData());
    }

    ByteArrayOutputStream rest;
    stream() >> rest;
    FUZZ_CHECK(of(rest.getByteArray()) == model.remaining());
    FUZZ_CHECK(!stream().hasData());
    return 0;
}
