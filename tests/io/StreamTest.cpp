// The streams: their chunk sizes, and seeded random walks of reads, peeks,
// push-backs and piping, checked against the reference model, over memory,
// filter and file streams alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "io/IoTestSupport.h"
#include "io/StreamReferenceModel.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FileInputStream.h"
#include "korvane/FilteredInputStream.h"
#include "korvane/FilteredOutputStream.h"
#include "korvane/QuillonException.h"

using namespace Korvane;
using korvane_test::byteArray;
using korvane_test::bytes;
using korvane_test::expectError;

namespace {

std::string randomBytes(std::mt19937& random, std::size_t n) {
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(random() & 0xff);
    return s;
}

// 0, a few bytes, around the chunk size, or several chunks.
std::size_t randomLength(std::mt19937& random, std::size_t chunkSize) {
    switch (random() % 5) {
        case 0: return 0;
        case 1: return 1 + random() % 16;
        case 2: return chunkSize - 2 + random() % 5;
        case 3: return random() % (chunkSize + 1);
        default: return random() % (3 * chunkSize);
    }
}

// Passes its source's chunks on unchanged, so it follows the source's model
// with a push-back buffer of its own.
class PassFilter : public FilteredInputStream {
public:
    explicit PassFilter(std::unique_ptr<InputStream> source)
        : FilteredInputStream(*source), owned(std::move(source)) {}
    InputStream& operator>>(ByteArray& chunk) override {
        if (deliverPushedBack(chunk)) return *this;
        getSource() >> chunk;
        countDelivered(chunk.length());
        return *this;
    }
    using FilteredInputStream::operator>>;

private:
    std::unique_ptr<InputStream> owned;
};

// Writes every byte twice to its sink.
class DoublingOutput : public FilteredOutputStream {
public:
    using FilteredOutputStream::FilteredOutputStream;
    void flush() override { getSink().flush(); }
    OutputStream& operator<<(char c) override {
        getSink() << c << c;
        return *this;
    }
    OutputStream& operator<<(const ByteArray& data) override {
        for (unsigned int i = 0; i < data.length(); ++i) *this << static_cast<char>(data[i]);
        return *this;
    }
    using OutputStream::operator<<;
};

class RecordingOutput : public ByteArrayOutputStream {
public:
    void close() override { ++closes; }
    void flush() override { ++flushes; }
    int closes = 0, flushes = 0;
};

using StreamFactory = std::function<std::unique_ptr<InputStream>(const std::string&)>;

void runRandomWalk(unsigned int seed, std::size_t chunkSize, const StreamFactory& make) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    korvane_test::StreamModel model;
    model.chunkSize = chunkSize;
    model.source = randomBytes(random, random() % (6 * chunkSize));
    std::unique_ptr<InputStream> stream = make(model.source);
    InputStream& in = *stream;
    auto* memory = dynamic_cast<ByteArrayInputStream*>(stream.get());
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const unsigned int operation = random() % 8;
        if (operation <= 1) {
            const std::size_t n = randomLength(random, chunkSize);
            ASSERT_EQ(bytes(in.readBlob(static_cast<unsigned int>(n))), model.readBlob(n)) << "readBlob " << n;
        } else if (operation == 2) {  // a read whose bytes go back, the count unchanged
            const std::size_t n = randomLength(random, chunkSize);
            const auto count = model.count;
            const std::string expected = model.readBlob(n);
            model.pushedBack.insert(0, expected);
            model.count = count;
            ASSERT_EQ(bytes(in.peek(static_cast<unsigned int>(n))), expected) << "peek " << n;
        } else if (operation == 3) {
            ByteArray chunk("stale");
            in >> chunk;
            ASSERT_EQ(bytes(chunk), model.chunk()) << "chunk";
        } else if (operation == 4) {
            const char c = static_cast<char>(random() & 0xff);
            if (model.count == 0) {
                expectError<QuillonException>([&] { in.pushBack(c); }, 31, "InputStream::pushBack(char)", "");
            } else {
                in.pushBack(c);
                model.pushedBack.insert(model.pushedBack.begin(), c);
                --model.count;
            }
        } else if (operation == 5) {  // often exactly the count, or one more than allowed
            std::size_t n = random() % 2 ? std::size_t(model.count) + random() % 2
                                         : random() % (std::size_t(model.count) + 2);
            const std::string data = randomBytes(random, std::min<std::size_t>(n, 4 * chunkSize));
            if (data.size() > model.count) {
                expectError<QuillonException>([&] { in.pushBack(byteArray(data)); }, 31,
                                              "InputStream::pushBack(const ByteArray&)", "");
            } else {
                in.pushBack(byteArray(data));
                model.pushedBack = data + model.pushedBack;
                model.count -= data.size();
            }
        } else if (operation == 6) {
            const std::string other = randomBytes(random, randomLength(random, chunkSize));
            ByteArrayInputStream otherStream(byteArray(other));
            in << otherStream;
            model.pushedBack += other;
            ASSERT_FALSE(otherStream.hasData());
        } else if (memory != nullptr) {
            ASSERT_EQ(bytes(memory->getByteArray()), model.remaining()) << "getByteArray";
        }
        ASSERT_EQ(in.getCount(), model.count);
        ASSERT_EQ(in.hasData(), model.hasData());
    }
    ByteArrayOutputStream rest;
    in >> rest;
    ASSERT_EQ(bytes(rest.getByteArray()), model.remaining()) << "drained rest";
    ASSERT_FALSE(in.hasData());
}

}  // namespace

TEST(InputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    korvane_test::TemporaryDirectory dir;
    int files = 0;
    const struct {
        const char* kind;
        std::size_t chunkSize;
        StreamFactory make;
    } kinds[] = {
        {"memory", 10240, [](const std::string& data) -> std::unique_ptr<InputStream> {
             return std::make_unique<ByteArrayInputStream>(byteArray(data));
         }},
        {"filter", 10240, [](const std::string& data) -> std::unique_ptr<InputStream> {
             return std::make_unique<PassFilter>(std::make_unique<ByteArrayInputStream>(byteArray(data)));
         }},
        {"file", 10239, [&](const std::string& data) -> std::unique_ptr<InputStream> {
             const std::string path = dir.path("walk-" + std::to_string(files++));
             korvane_test::writeFile(path, data);
             return std::make_unique<FileInputStream>(korvane_test::makeString(path));
         }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        for (unsigned int seed = 1; seed <= 12 && !HasFatalFailure(); ++seed)
            runRandomWalk(seed, kind.chunkSize, kind.make);
    }
}

TEST(InputStream, ChunksAreAtMost10240BytesFromMemoryAnd10239FromFiles) {
    korvane_test::TemporaryDirectory dir;
    const struct {
        std::size_t size;
        std::vector<std::size_t> memory, file;
    } cases[] = {
        {0, {}, {}},
        {10239, {10239}, {10239}},
        {10240, {10240}, {10239, 1}},
        {25000, {10240, 10240, 4520}, {10239, 10239, 4522}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string data(c.size, 'x');
        const std::string path = dir.path("chunks-" + std::to_string(c.size));
        korvane_test::writeFile(path, data);
        ByteArrayInputStream memory(byteArray(data));
        FileInputStream file(korvane_test::makeString(path));
        for (InputStream* in : {static_cast<InputStream*>(&memory), static_cast<InputStream*>(&file)}) {
            std::vector<std::size_t> lengths;
            ByteArray chunk;
            while (in->hasData()) {
                *in >> chunk;
                lengths.push_back(chunk.length());
            }
            EXPECT_EQ(lengths, in == &memory ? c.memory : c.file);
            chunk = ByteArray("stale");
            *in >> chunk;
            EXPECT_EQ(chunk.length(), 0u) << "a chunk after the end";
        }
    }
}

TEST(OutputStream, MemoryCollectsUntilResetAndFiltersLeaveTheirSinkOpen) {
    ByteArrayOutputStream out;
    out << 'a' << ByteArray("bc") << '\0';
    EXPECT_EQ(bytes(out.getByteArray()), std::string("abc\0", 4));
    out.reset();
    out << 'd';
    out.close();
    EXPECT_EQ(bytes(out.getByteArray()), "d");

    RecordingOutput sink;
    {
        DoublingOutput doubling(sink);
        ByteArrayInputStream in(ByteArray("abc"));
        doubling << 'x' << in;
        doubling.flush();
        doubling.close();
    }
    EXPECT_EQ(bytes(sink.getByteArray()), "xxaabbcc");
    EXPECT_EQ(sink.flushes, 1);
    EXPECT_EQ(sink.closes, 0);
}
