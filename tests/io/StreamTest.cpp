// The file streams' chunk sizes and the output side. Random walks of
// reads, peeks, push-backs and piping against a reference model are the
// stream fuzz target's, replayed from its corpus on every build.

#include <string>
#include <vector>

#include "io/IoTestSupport.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/FileInputStream.h"
#include "korvane/FilteredOutputStream.h"

using namespace Korvane;
using korvane_test::byteArray;
using korvane_test::bytes;

namespace {

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

}  // namespace

// Memory streams' chunks of 10240 bytes are the stream fuzz target's model.
TEST(InputStream, FileChunksAreAtMost10239Bytes) {
    korvane_test::ScratchDirectory dir;
    const struct { std::size_t size; std::vector<std::size_t> chunks; } cases[] = {
        {0, {}}, {10239, {10239}}, {10240, {10239, 1}}, {25000, {10239, 10239, 4522}}};
    for (const auto& c : cases) {
        const std::string path = dir.file("chunks-" + std::to_string(c.size));
        korvane_test::writeFile(path, std::string(c.size, 'x'));
        FileInputStream file(korvane_test::makeString(path));
        std::vector<std::size_t> lengths;
        ByteArray chunk;
        while (file.hasData()) {
            file >> chunk;
            lengths.push_back(chunk.length());
        }
        EXPECT_EQ(lengths, c.chunks) << c.size;
        chunk = ByteArray("stale");
        file >> chunk;
        EXPECT_EQ(chunk.length(), 0u) << "a chunk after the end";
        if (c.size == 0) continue;
        file.pushBack('x');  // a byte pushed back at the end is data again
        EXPECT_TRUE(file.hasData());
        file >> chunk;
        EXPECT_EQ(bytes(chunk), "x");
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
