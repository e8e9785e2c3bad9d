// The memory and filter streams: chunking, exact reads, peeking, push-back
// and piping, first on the documented cases, then on long random walks
// checked against a reference model.
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
using korvane_test::expectSingleError;

namespace {

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
    return s;
}

std::vector<std::size_t> chunkLengths(InputStream& in) {
    std::vector<std::size_t> lengths;
    ByteArray chunk;
    while (in.hasData()) {
        in >> chunk;
        lengths.push_back(chunk.length());
    }
    return lengths;
}

}  // namespace

// ---- Chunking -----------------------------------------------------------------------------------

TEST(ByteArrayInputStream, DeliversChunksOfAtMost10240Bytes) {
    const struct {
        std::size_t size;
        std::vector<std::size_t> chunks;
    } cases[] = {
        {0, {}},
        {1, {1}},
        {10239, {10239}},
        {10240, {10240}},
        {10241, {10240, 1}},
        {20480, {10240, 10240}},
        {25000, {10240, 10240, 4520}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string data = pattern(c.size);
        ByteArrayInputStream in(byteArray(data));
        EXPECT_EQ(chunkLengths(in), c.chunks);
        EXPECT_EQ(in.getCount(), c.size);
        ByteArray chunk("stale");
        in >> chunk;
        EXPECT_EQ(chunk.length(), 0u);
        EXPECT_FALSE(in.hasData());
    }
}

TEST(ByteArrayInputStream, ChunksReassembleTheData) {
    const std::string data = pattern(25000);
    ByteArrayInputStream in(byteArray(data));
    std::string joined;
    ByteArray chunk;
    while (in.hasData()) {
        in >> chunk;
        joined += bytes(chunk);
    }
    EXPECT_EQ(joined, data);
}

TEST(ByteArrayInputStream, KeepsItsOwnCopyOfTheData) {
    ByteArray data("abc");
    ByteArrayInputStream in(data);
    data[0] = 'z';
    EXPECT_EQ(bytes(in.readBlob(3)), "abc");
}

TEST(ByteArrayInputStream, CloseChangesNothing) {
    ByteArrayInputStream in(ByteArray("abcdef"));
    in.close();
    EXPECT_EQ(bytes(in.readBlob(2)), "ab");
    in.close();
    EXPECT_EQ(bytes(in.getByteArray()), "cdef");
}

// ---- Exact reads and peeking --------------------------------------------------------------------

TEST(InputStream, ReadBlobOfMoreThanThereIsReturnsWhatThereIs) {
    ByteArrayInputStream in(ByteArray("xyz"));
    EXPECT_EQ(bytes(in.readBlob(5)), "xyz");
    EXPECT_EQ(in.getCount(), 3u);
    EXPECT_FALSE(in.hasData());
    EXPECT_EQ(in.readBlob(5).length(), 0u);
    EXPECT_EQ(in.getCount(), 3u);
}

TEST(InputStream, ReadBlobPushesTheSurplusOfItsChunkBack) {
    ByteArrayInputStream in(ByteArray("0123456789"));
    EXPECT_EQ(bytes(in.readBlob(4)), "0123");
    EXPECT_EQ(in.getCount(), 4u);
    EXPECT_EQ(bytes(in.getByteArray()), "456789");
    // The surplus is the push-back buffer now: the next chunk is all of it.
    ByteArray chunk;
    in >> chunk;
    EXPECT_EQ(bytes(chunk), "456789");
    EXPECT_EQ(in.getCount(), 10u);
}

TEST(InputStream, ReadBlobOfZeroChangesNothing) {
    ByteArrayInputStream in(ByteArray("ab"));
    EXPECT_EQ(in.readBlob(0).length(), 0u);
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.getByteArray()), "ab");
}

TEST(InputStream, ReadBlobAcrossManyChunks) {
    const std::string data = pattern(50000);
    ByteArrayInputStream in(byteArray(data));
    EXPECT_EQ(bytes(in.readBlob(1)), data.substr(0, 1));
    EXPECT_EQ(bytes(in.readBlob(30000)), data.substr(1, 30000));
    EXPECT_EQ(in.getCount(), 30001u);
    EXPECT_EQ(bytes(in.getByteArray()), data.substr(30001));
}

TEST(InputStream, PeekReturnsTheBytesTheNextReadReturns) {
    ByteArrayInputStream in(ByteArray("abcdef"));
    EXPECT_EQ(bytes(in.peek(2)), "ab");
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.readBlob(2)), "ab");
    EXPECT_EQ(in.getCount(), 2u);
    EXPECT_EQ(bytes(in.peek(10)), "cdef");
    EXPECT_EQ(in.getCount(), 2u);
    EXPECT_TRUE(in.hasData());
}

// ---- Push-back ----------------------------------------------------------------------------------

TEST(InputStream, PushBackBeyondTheCountIsError31) {
    ByteArrayInputStream in(ByteArray("abcdef"));
    korvane_test::expectError<QuillonException>([&] { in.pushBack('x'); }, 31,
                                                "InputStream::pushBack(char)", "");
    EXPECT_EQ(bytes(in.getByteArray()), "abcdef");

    EXPECT_EQ(bytes(in.readBlob(3)), "abc");
    korvane_test::expectError<QuillonException>([&] { in.pushBack(ByteArray("1234")); }, 31,
                                                "InputStream::pushBack(const ByteArray&)", "");
    EXPECT_EQ(in.getCount(), 3u);
    EXPECT_EQ(bytes(in.getByteArray()), "def");

    in.pushBack(ByteArray("123"));
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.getByteArray()), "123def");
    EXPECT_THROW(in.pushBack('x'), QuillonException);
}

TEST(InputStream, EmptyPushBackIsAlwaysAccepted) {
    ByteArrayInputStream in(ByteArray("ab"));
    in.pushBack(ByteArray());
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.getByteArray()), "ab");
}

TEST(InputStream, PushedBackBytesComeFirstInTheirOrder) {
    ByteArrayInputStream in(ByteArray("xyzw"));
    in.readBlob(4);
    in.pushBack('a');
    in.pushBack('b');
    EXPECT_EQ(bytes(in.readBlob(2)), "ba");
    in.pushBack(ByteArray("ab"));
    EXPECT_EQ(bytes(in.readBlob(2)), "ab");
    EXPECT_EQ(in.getCount(), 4u);
}

TEST(InputStream, PushedBackBytesNeedNotBeTheOnesRead) {
    ByteArrayInputStream in(ByteArray("abc"));
    in.readBlob(2);
    in.pushBack(ByteArray("XY"));
    EXPECT_EQ(bytes(in.getByteArray()), "XYc");
    EXPECT_EQ(bytes(in.readBlob(3)), "XYc");
}

TEST(InputStream, ManySingleBytePushBacksKeepTheirOrder) {
    const std::string data = pattern(30000);
    ByteArrayInputStream in(byteArray(data));
    const std::string read = bytes(in.readBlob(30000));
    for (auto it = read.rbegin(); it != read.rend(); ++it) in.pushBack(*it);
    EXPECT_EQ(in.getCount(), 0u);
    EXPECT_EQ(bytes(in.readBlob(30000)), data);
}

// ---- Piping -------------------------------------------------------------------------------------

TEST(InputStream, AppendingAnotherStreamQueuesItsBytesBeforeTheRest) {
    ByteArrayInputStream in1(ByteArray("xy"));
    ByteArrayInputStream in2(ByteArray("ab"));
    in1 << in2;
    EXPECT_FALSE(in2.hasData());
    EXPECT_EQ(in1.getCount(), 0u);
    EXPECT_EQ(bytes(in1.readBlob(1)), "a");
    EXPECT_EQ(bytes(in1.readBlob(1)), "b");
    EXPECT_EQ(bytes(in1.readBlob(1)), "x");
    EXPECT_EQ(bytes(in1.readBlob(1)), "y");
    EXPECT_FALSE(in1.hasData());
}

TEST(InputStream, AppendedBytesFollowThoseAlreadyPushedBack) {
    ByteArrayInputStream in1(ByteArray("0123"));
    in1.readBlob(1);  // "123" waits in the push-back buffer now
    ByteArrayInputStream in2(ByteArray("ab"));
    in1 << in2;
    EXPECT_EQ(bytes(in1.getByteArray()), "123ab");
}

TEST(InputStream, AppendingAStreamToItselfDoesNothing) {
    ByteArrayInputStream in(ByteArray("xy"));
    in << in;
    EXPECT_EQ(bytes(in.getByteArray()), "xy");
    EXPECT_EQ(in.getCount(), 0u);
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
    out << 'a' << ByteArray("bc");
    EXPECT_EQ(bytes(out.getByteArray()), "abc");
    out << '\0' << ByteArray("\r\n", 2u);
    EXPECT_EQ(bytes(out.getByteArray()), std::string("abc\0\r\n", 6));
    out.reset();
    EXPECT_EQ(out.getByteArray().length(), 0u);
    out << 'd';
    out.close();
    out.flush();
    EXPECT_EQ(bytes(out.getByteArray()), "d");
}

// ---- Filters ------------------------------------------------------------------------------------

namespace {

// Upper-cases ASCII letters of its source, one source chunk at a time.
class UpperCaseInput : public FilteredInputStream {
public:
    using FilteredInputStream::FilteredInputStream;
    InputStream& operator>>(ByteArray& chunk) override {
        if (deliverPushedBack(chunk)) return *this;
        getSource() >> chunk;
        for (unsigned int i = 0; i < chunk.length(); ++i) {
            unsigned char& c = chunk[i];
            if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
        }
        countDelivered(chunk.length());
        return *this;
    }
    using FilteredInputStream::operator>>;
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

TEST(FilteredInputStream, FiltersItsSourceAndKeepsThePushBackContract) {
    const std::string data = "hello, filtered world " + pattern(20000);
    ByteArrayInputStream source(byteArray(data));
    UpperCaseInput upper(source);
    std::string expected = data;
    for (auto& c : expected)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

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
    EXPECT_FALSE(upper.hasData());
    EXPECT_FALSE(source.hasData());
}

TEST(FilteredInputStream, HasDataWhileBytesArePushedBackEvenWhenTheSourceIsDry) {
    ByteArrayInputStream source(ByteArray("ab"));
    UpperCaseInput upper(source);
    EXPECT_EQ(bytes(upper.readBlob(2)), "AB");
    EXPECT_FALSE(upper.hasData());
    upper.pushBack('q');
    EXPECT_TRUE(upper.hasData());
    EXPECT_FALSE(source.hasData());
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
    sink << ByteArray("!");
    EXPECT_EQ(bytes(sink.getByteArray()), "xxaabbcc!");
}

// ---- Random walks against the model ------------------------------------------------------------

TEST(ByteArrayInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    const auto make = [](const std::string& data) -> std::unique_ptr<InputStream> {
        return std::make_unique<ByteArrayInputStream>(byteArray(data));
    };
    const auto view = [](InputStream& in) {
        return bytes(static_cast<ByteArrayInputStream&>(in).getByteArray());
    };
    for (unsigned int seed = 1; seed <= 25; ++seed) {
        korvane_test::runRandomWalk(seed, 400, 10240, make, view);
        if (HasFatalFailure()) return;
    }
}

TEST(FilteredInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    // A filter that passes its source's chunks through unchanged follows the
    // same model as the source itself, with the push-back buffer its own.
    struct PassThrough : FilteredInputStream {
        explicit PassThrough(std::unique_ptr<ByteArrayInputStream> s)
            : FilteredInputStream(*s), source(std::move(s)) {}
        InputStream& operator>>(ByteArray& chunk) override {
            if (deliverPushedBack(chunk)) return *this;
            getSource() >> chunk;
            countDelivered(chunk.length());
            return *this;
        }
        using FilteredInputStream::operator>>;
        std::unique_ptr<ByteArrayInputStream> source;
    };
    const auto make = [](const std::string& data) -> std::unique_ptr<InputStream> {
        return std::make_unique<PassThrough>(
            std::make_unique<ByteArrayInputStream>(byteArray(data)));
    };
    for (unsigned int seed = 100; seed < 110; ++seed) {
        korvane_test::runRandomWalk(seed, 400, 10240, make, nullptr);
        if (HasFatalFailure()) return;
    }
}
