// The memory and filter streams: the documented cases of chunking, exact
// reads, peeking, push-back and piping, then long random walks checked
// against the reference model.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "io/IoTestSupport.h"
#include "io/StreamModel.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FilteredInputStream.h"
#include "korvane/FilteredOutputStream.h"
#include "korvane/QuillonException.h"

using namespace Korvane;
using korvane_test::byteArray;
using korvane_test::bytes;
using korvane_test::expectError;

namespace {

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
    return s;
}

// Passes its source's chunks on, upper-casing ASCII letters when asked; may
// own its source.
class ChunkFilter : public FilteredInputStream {
public:
    ChunkFilter(InputStream& source, bool upper) : FilteredInputStream(source), upper(upper) {}
    explicit ChunkFilter(std::unique_ptr<InputStream> source)
        : FilteredInputStream(*source), upper(false), owned(std::move(source)) {}
    InputStream& operator>>(ByteArray& chunk) override {
        if (deliverPushedBack(chunk)) return *this;
        getSource() >> chunk;
        for (unsigned int i = 0; upper && i < chunk.length(); ++i)
            if (chunk[i] >= 'a' && chunk[i] <= 'z') chunk[i] = static_cast<unsigned char>(chunk[i] - 32);
        countDelivered(chunk.length());
        return *this;
    }
    using FilteredInputStream::operator>>;

private:
    bool upper;
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

// Records what is done to it.
class RecordingOutput : public ByteArrayOutputStream {
public:
    void close() override { ++closes; }
    void flush() override { ++flushes; }
    int closes = 0;
    int flushes = 0;
};

}  // namespace

TEST(ByteArrayInputStream, DeliversChunksOfAtMost10240Bytes) {
    const struct {
        std::size_t size;
        std::vector<std::size_t> chunks;
    } cases[] = {
        {0, {}}, {1, {1}}, {10239, {10239}}, {10240, {10240}}, {10241, {10240, 1}},
        {20480, {10240, 10240}}, {25000, {10240, 10240, 4520}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string data = pattern(c.size);
        ByteArrayInputStream in(byteArray(data));
        std::vector<std::size_t> lengths;
        std::string joined;
        ByteArray chunk;
        while (in.hasData()) {
            in >> chunk;
            lengths.push_back(chunk.length());
            joined += bytes(chunk);
        }
        EXPECT_EQ(lengths, c.chunks);
        EXPECT_EQ(joined, data);
        EXPECT_EQ(in.getCount(), c.size);
        chunk = ByteArray("stale");
        in >> chunk;
        EXPECT_EQ(chunk.length(), 0u);
    }
}

TEST(ByteArrayInputStream, KeepsItsOwnCopyAndIgnoresClose) {
    ByteArray data("abcdef");
    ByteArrayInputStream in(data);
    data[0] = 'z';
    in.close();
    EXPECT_EQ(bytes(in.readBlob(2)), "ab");
    in.close();
    EXPECT_EQ(bytes(in.getByteArray()), "cdef");
}

TEST(InputStream, ReadBlobAndPeek) {
    ByteArrayInputStream in(ByteArray("0123456789"));
    EXPECT_EQ(in.readBlob(0).length(), 0u);
    EXPECT_EQ(bytes(in.peek(2)), "01");
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.readBlob(4)), "0123");
    EXPECT_EQ(in.getCount(), 4u);
    // The surplus of the chunk is the push-back buffer now: the next chunk is all of it.
    ByteArray chunk;
    in >> chunk;
    EXPECT_EQ(bytes(chunk), "456789");
    in.pushBack(ByteArray("xyz"));
    EXPECT_EQ(bytes(in.peek(10)), "xyz");
    EXPECT_EQ(bytes(in.readBlob(5)), "xyz");  // more than there is: what there is
    EXPECT_EQ(in.getCount(), 10u);
    EXPECT_FALSE(in.hasData());
    EXPECT_EQ(in.readBlob(5).length(), 0u);
    EXPECT_EQ(in.getCount(), 10u);
}

TEST(InputStream, PushBackBeyondTheCountIsError31) {
    ByteArrayInputStream in(ByteArray("abcdef"));
    expectError<QuillonException>([&] { in.pushBack('x'); }, 31, "InputStream::pushBack(char)", "");
    in.pushBack(ByteArray());  // nothing pushed back is always accepted
    EXPECT_EQ(bytes(in.readBlob(3)), "abc");
    expectError<QuillonException>([&] { in.pushBack(ByteArray("1234")); }, 31,
                                  "InputStream::pushBack(const ByteArray&)", "");
    EXPECT_EQ(in.getCount(), 3u);
    // Pushed-back bytes need not be the ones read, and come first in their order.
    in.pushBack('a');
    in.pushBack(ByteArray("XY"));
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.getByteArray()), "XYadef");
    EXPECT_THROW(in.pushBack('x'), QuillonException);
}

TEST(InputStream, ManySingleBytePushBacksKeepTheirOrder) {
    const std::string data = pattern(30000);
    ByteArrayInputStream in(byteArray(data));
    const std::string read = bytes(in.readBlob(30000));
    for (auto it = read.rbegin(); it != read.rend(); ++it) in.pushBack(*it);
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.readBlob(30000)), data);
}

// The random walks append streams behind pushed-back bytes.
TEST(InputStream, AppendingAnotherStreamQueuesItsBytesBeforeTheRest) {
    ByteArrayInputStream in1(ByteArray("xy"));
    ByteArrayInputStream in2(ByteArray("ab"));
    in1 << in1;  // appending a stream to itself does nothing
    in1 << in2;
    EXPECT_FALSE(in2.hasData());
    EXPECT_EQ(in1.getCount(), 0u);
    EXPECT_EQ(bytes(in1.readBlob(1)), "a");
    EXPECT_EQ(bytes(in1.readBlob(4)), "bxy");
}

TEST(InputStream, DrainsIntoAnOutputStreamFromEitherSide) {
    const std::string data = pattern(25000);
    ByteArrayInputStream in1(byteArray(data));
    ByteArrayOutputStream out1;
    in1 >> out1;
    EXPECT_EQ(bytes(out1.getByteArray()), data);
    EXPECT_EQ(in1.getCount(), 25000u);

    ByteArrayInputStream in2(byteArray(data));
    in2.readBlob(7);
    ByteArrayOutputStream out2;
    out2 << ByteArray("head") << in2;
    EXPECT_EQ(bytes(out2.getByteArray()), "head" + data.substr(7));
    EXPECT_FALSE(in2.hasData());
}

TEST(ByteArrayOutputStream, CollectsBytesAndBlocksUntilReset) {
    ByteArrayOutputStream out;
    out << 'a' << ByteArray("bc") << '\0' << ByteArray("\r\n", 2u);
    EXPECT_EQ(bytes(out.getByteArray()), std::string("abc\0\r\n", 6));
    out.reset();
    EXPECT_EQ(out.getByteArray().length(), 0u);
    out << 'd';
    out.close();
    out.flush();
    EXPECT_EQ(bytes(out.getByteArray()), "d");
}

TEST(FilteredInputStream, FiltersItsSourceAndKeepsThePushBackContract) {
    const std::string data = "hello, filtered world " + pattern(20000);
    ByteArrayInputStream source(byteArray(data));
    ChunkFilter upper(source, true);
    std::string expected = data;
    for (auto& c : expected)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);

    EXPECT_EQ(bytes(upper.peek(5)), "HELLO");
    EXPECT_EQ(bytes(upper.readBlob(7)), "HELLO, ");
    EXPECT_EQ(upper.getCount(), 7u);
    EXPECT_EQ(source.getCount(), 10240u);
    upper.pushBack(' ');
    EXPECT_THROW(upper.pushBack(ByteArray("12345678")), QuillonException);
    upper.close();
    EXPECT_TRUE(source.hasData());
    ByteArrayOutputStream rest;
    upper >> rest;
    EXPECT_EQ(bytes(rest.getByteArray()), " " + expected.substr(7));
    EXPECT_FALSE(source.hasData());
    // Pushed-back bytes count as data even when the source is dry.
    EXPECT_FALSE(upper.hasData());
    upper.pushBack('q');
    EXPECT_TRUE(upper.hasData());
}

TEST(FilteredOutputStream, PassesToItsSinkAndLeavesItOpen) {
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

// ---- Random walks against the model ------------------------------------------------------------

TEST(ByteArrayInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    const auto make = [](const std::string& data) -> std::unique_ptr<InputStream> {
        return std::make_unique<ByteArrayInputStream>(byteArray(data));
    };
    const auto view = [](InputStream& in) {
        return bytes(static_cast<ByteArrayInputStream&>(in).getByteArray());
    };
    for (unsigned int seed = 1; seed <= 25 && !HasFatalFailure(); ++seed)
        korvane_test::runRandomWalk(seed, 400, 10240, make, view);
}

TEST(FilteredInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    // A filter that passes its source's chunks through unchanged follows the
    // same model as the source itself, with the push-back buffer its own.
    const auto make = [](const std::string& data) -> std::unique_ptr<InputStream> {
        return std::make_unique<ChunkFilter>(std::make_unique<ByteArrayInputStream>(byteArray(data)));
    };
    for (unsigned int seed = 100; seed < 110 && !HasFatalFailure(); ++seed)
        korvane_test::runRandomWalk(seed, 400, 10240, make, nullptr);
}
