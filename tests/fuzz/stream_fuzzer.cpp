// Random sequences of stream operations on a ByteArrayInputStream or on a
// pass-through FilteredInputStream over one, against the reference model of
// what a caller can observe: the bytes delivered, the push-back errors, the
// count, hasData() and, at the end, everything left in the stream.
//
// Input: a header (stream kind and filter block size, source length, source
// seed), then operations of one code byte and two argument bytes each.
#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FilteredInputStream.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {

// The reference model of what a caller can observe of an InputStream over a
// byte source: the bytes waiting in the push-back buffer, the unread rest of
// the source, the chunk size of the source and the count. It describes each
// operation by its effect rather than by the stream's own steps.
struct StreamModel {
    std::string pushedBack;
    std::string source;
    std::size_t position = 0;
    std::size_t chunkSize = 0;
    std::uint64_t count = 0;

    std::size_t sourceLeft() const { return source.size() - position; }
    bool hasData() const { return !pushedBack.empty() || sourceLeft() != 0; }

    std::string chunk() {
        std::string result;
        if (!pushedBack.empty()) {
            result.swap(pushedBack);
        } else {
            result = source.substr(position, std::min(chunkSize, sourceLeft()));
            position += result.size();
        }
        count += result.size();
        return result;
    }

    // The next min(n, everything) bytes. When the push-back buffer cannot
    // serve them alone, whole source chunks are taken until n is covered and
    // whatever was taken beyond n waits in the push-back buffer afterwards.
    std::string readBlob(std::size_t n) {
        if (n == 0) return std::string();
        if (pushedBack.size() >= n) {
            std::string result = pushedBack.substr(0, n);
            pushedBack.erase(0, n);
            count += n;
            return result;
        }
        std::string taken = pushedBack;
        while (taken.size() < n && sourceLeft() != 0) {
            const std::size_t piece = std::min(chunkSize, sourceLeft());
            taken += source.substr(position, piece);
            position += piece;
        }
        const std::size_t delivered = std::min(n, taken.size());
        pushedBack = taken.substr(delivered);
        count += delivered;
        return taken.substr(0, delivered);
    }

    std::string remaining() const { return pushedBack + source.substr(position); }
};


// A filter that passes its source through in blocks of a fixed size, taken
// with the source's readBlob, and honours the push-back contract.
class PassThrough : public FilteredInputStream {
public:
    PassThrough(InputStream& source, unsigned int blockSize) : FilteredInputStream(source), blockSize(blockSize) {}
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

std::string of(const ByteArray& b) { return std::string(reinterpret_cast<const char*>(b.getData()), b.length()); }
ByteArray bytes(const std::string& s) { return ByteArray(s.data(), static_cast<unsigned int>(s.size())); }

// Deterministic filler bytes; their values matter only in being varied.
std::string filler(std::size_t n, unsigned int seed) {
    std::string s(n, '\0');
    unsigned int state = seed * 2654435761u + 1;
    for (auto& c : s) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    return s;
}

// Whether `call` throws error 31 at `location` (a push-back beyond the count).
template <typename Call>
bool throws31(Call call, const char* location) {
    try {
        call();
    } catch (const QuillonException& e) {
        FUZZ_CHECK(e.getErrorStackSize() == 1 && e.getErrNo(0) == 31 &&
                   korvane_fuzz::str(e.getErrLocation(0)) == location && e.getExtraInfo(0).length() == 0);
        return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    constexpr std::size_t memoryChunk = 10240;
    const bool filtered = data[0] & 1;
    const unsigned int filterBlock = 1 + (data[0] >> 2) % 128;
    // Up to three memory chunks and a bit, so the chunk edges are reached;
    // the filter's blocks are small, and a short source keeps it quick.
    StreamModel model;
    model.source = filler(((data[1] << 8) | data[2]) % (filtered ? 2048 : 3 * memoryChunk + 64), data[3]);
    model.chunkSize = filtered ? filterBlock : memoryChunk;
    ByteArrayInputStream memory(bytes(model.source));
    PassThrough filter(memory, filterBlock);
    InputStream& in = filtered ? static_cast<InputStream&>(filter) : memory;

    for (std::size_t at = 4; at + 3 <= size; at += 3) {
        const std::size_t argument = (data[at + 1] << 8) | data[at + 2];
        // Lengths around the edges of the chunk sizes.
        const std::size_t n = argument % (data[at] & 0x80 ? 2 * memoryChunk + 8 : 300);
        switch (data[at] % 7) {
            case 0:
                FUZZ_CHECK(of(in.readBlob(static_cast<unsigned int>(n))) == model.readBlob(n));
                break;
            case 1: {  // a peek is a read whose bytes go back
                const std::uint64_t before = model.count;
                const std::string expected = model.readBlob(n);
                model.pushedBack = expected + model.pushedBack;
                model.count = before;
                FUZZ_CHECK(of(in.peek(static_cast<unsigned int>(n))) == expected);
                break;
            }
            case 2: {
                ByteArray chunk("stale");
                in >> chunk;
                FUZZ_CHECK(of(chunk) == model.chunk());
                break;
            }
            case 3: {
                const char c = static_cast<char>(argument);
                const bool thrown = throws31([&] { in.pushBack(c); }, "InputStream::pushBack(char)");
                FUZZ_CHECK(thrown == (model.count == 0));
                if (!thrown) model.pushedBack.insert(model.pushedBack.begin(), c), --model.count;
                break;
            }
            case 4: {  // near the count, so both sides of the limit are tried
                const std::string back = filler(model.count + argument % 3 == 0 ? 0 : model.count + argument % 3 - 1, data[at]);
                const bool thrown = throws31([&] { in.pushBack(bytes(back)); }, "InputStream::pushBack(const ByteArray&)");
                FUZZ_CHECK(thrown == (back.size() > model.count));
                if (!thrown) model.pushedBack = back + model.pushedBack, model.count -= back.size();
                break;
            }
            case 5: {
                const std::string other = filler(n, static_cast<unsigned int>(argument) + 7);
                ByteArrayInputStream otherStream(bytes(other));
                in << otherStream;
                FUZZ_CHECK(!otherStream.hasData());
                model.pushedBack += other;
                break;
            }
            default:
                in << in;
                break;
        }
        FUZZ_CHECK(in.getCount() == model.count && in.hasData() == model.hasData());
    }
    ByteArrayOutputStream rest;
    in >> rest;
    FUZZ_CHECK(of(rest.getByteArray()) == model.remaining());
    FUZZ_CHECK(!in.hasData());
    return 0;
}
