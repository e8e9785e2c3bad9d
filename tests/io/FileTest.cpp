// File, FileInputStream and FileOutputStream: exact round trips of every byte
// value, chunking, open modes, copies, and every failure, each in a fresh
// temporary directory. Contents written by the library are checked with
// stdio as an independent reader, and the other way round.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "io/IoTestSupport.h"
#include "io/StreamModel.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"
#include "korvane/IOException.h"

using namespace Korvane;
using korvane_test::byteArray;
using korvane_test::bytes;
using korvane_test::expectSingleError;
using korvane_test::TemporaryDirectory;

namespace {

// Every byte value in order, then seeded random bytes.
std::string everyByteValue(std::size_t n, unsigned int seed) {
    std::string s(n, '\0');
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i < 256 ? i : random() & 0xff);
    return s;
}

std::string readWithStdio(const std::string& path) {
    std::string content;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        ADD_FAILURE() << "cannot open " << path;
        return content;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, got);
    std::fclose(f);
    return content;
}

void writeWithStdio(const std::string& path, const std::string& content) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    ASSERT_EQ(std::fwrite(content.data(), 1, content.size(), f), content.size());
    ASSERT_EQ(std::fclose(f), 0);
}

String str(const std::string& s) {
    String result;
    for (char c : s) result += c;  // keeps embedded NULs
    return result;
}

std::size_t openDescriptors() {
    std::size_t n = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
         it != std::filesystem::directory_iterator(); ++it)
        ++n;
    return n;
}

const std::size_t kRoundTripSizes[] = {
    0, 1, 255, 256, 10239, 10240, 10241, 25000, 5 * 1024 * 1024 + 17};

}  // namespace

// ---- Round trips --------------------------------------------------------------------------------

TEST(File, SaveAndLoadKeepEveryByte) {
    TemporaryDirectory dir;
    for (std::size_t size : kRoundTripSizes) {
        SCOPED_TRACE(size);
        const std::string content = everyByteValue(size, static_cast<unsigned int>(size));
        const std::string path = dir.path("saved-" + std::to_string(size));
        File::save(str(path), byteArray(content));
        EXPECT_TRUE(readWithStdio(path) == content) << "file on disk differs";
        EXPECT_TRUE(bytes(File::load(str(path))) == content) << "loaded bytes differ";
        EXPECT_TRUE(File::exists(str(path)));
    }
}

TEST(File, LoadReadsWhatStdioWrote) {
    TemporaryDirectory dir;
    const std::string content = everyByteValue(3 * 1024 * 1024 + 5, 99);
    writeWithStdio(dir.path("peer"), content);
    EXPECT_TRUE(bytes(File::load(str(dir.path("peer")))) == content);
}

TEST(File, SaveReplacesALongerFile) {
    TemporaryDirectory dir;
    const String path = str(dir.path("shrinks"));
    File::save(path, ByteArray(30000u, 'x'));
    File::save(path, ByteArray("\r\n\0z", 4u));
    EXPECT_EQ(readWithStdio(dir.path("shrinks")), std::string("\r\n\0z", 4));
}

TEST(FileStreams, CarryEveryByteBothWays) {
    TemporaryDirectory dir;
    std::mt19937 random(2024);
    for (std::size_t size : kRoundTripSizes) {
        SCOPED_TRACE(size);
        const std::string content = everyByteValue(size, static_cast<unsigned int>(size) + 1);
        const std::string path = dir.path("streamed-" + std::to_string(size));
        {
            // Blocks of random sizes, with single bytes in between.
            FileOutputStream out(str(path));
            std::size_t at = 0;
            while (at < content.size()) {
                if (random() % 4 == 0) {
                    out << content[at++];
                    continue;
                }
                const std::size_t n = std::min<std::size_t>(content.size() - at, random() % 70000);
                out << byteArray(content.substr(at, n));
                at += n;
            }
            out.close();
        }
        EXPECT_TRUE(readWithStdio(path) == content) << "file on disk differs";

        FileInputStream in(str(path));
        ByteArrayOutputStream collected;
        in >> collected;
        EXPECT_TRUE(bytes(collected.getByteArray()) == content) << "streamed bytes differ";
        EXPECT_EQ(in.getCount(), size);
        EXPECT_FALSE(in.hasData());
    }
}

TEST(FileStreams, PipeAFileIntoAnother) {
    TemporaryDirectory dir;
    const std::string content = everyByteValue(70001, 5);
    writeWithStdio(dir.path("from"), content);
    {
        FileInputStream in(str(dir.path("from")));
        FileOutputStream out(str(dir.path("to")));
        out << in;
    }  // the destructors close, which writes out what is buffered
    EXPECT_TRUE(readWithStdio(dir.path("to")) == content);
}

// ---- Chunking and random reads ------------------------------------------------------------------

TEST(FileInputStream, DeliversChunksOfAtMost10239Bytes) {
    TemporaryDirectory dir;
    const struct {
        std::size_t size;
        std::vector<std::size_t> chunks;
    } cases[] = {
        {0, {}},
        {10239, {10239}},
        {10240, {10239, 1}},
        {25000, {10239, 10239, 4522}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string path = dir.path("chunks-" + std::to_string(c.size));
        writeWithStdio(path, everyByteValue(c.size, 1));
        FileInputStream in(str(path));
        std::vector<std::size_t> lengths;
        ByteArray chunk;
        while (in.hasData()) {
            in >> chunk;
            lengths.push_back(chunk.length());
        }
        EXPECT_EQ(lengths, c.chunks);
        chunk = ByteArray("stale");
        in >> chunk;
        EXPECT_EQ(chunk.length(), 0u);
        EXPECT_FALSE(in.hasData());
    }
}

TEST(FileInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    TemporaryDirectory dir;
    int files = 0;
    const auto make = [&](const std::string& data) -> std::unique_ptr<InputStream> {
        const std::string path = dir.path("walk-" + std::to_string(files++));
        writeWithStdio(path, data);
        return std::make_unique<FileInputStream>(str(path));
    };
    for (unsigned int seed = 500; seed < 512; ++seed) {
        korvane_test::runRandomWalk(seed, 300, 10239, make, nullptr);
        if (HasFatalFailure()) return;
    }
}

TEST(File, ReadsAtMost10239BytesAndNothingOnAWriteOnlyFile) {
    TemporaryDirectory dir;
    const std::string path = dir.path("blocks");
    const std::string content = everyByteValue(20478 + 3, 3);
    writeWithStdio(path, content);
    File file(str(path), File::MODE_READ | File::MODE_BINARY);
    ByteArray a, b, c, end;
    file >> a >> b >> c >> end;
    EXPECT_EQ(a.length(), 10239u);
    EXPECT_EQ(b.length(), 10239u);
    EXPECT_EQ(bytes(a) + bytes(b) + bytes(c), content);
    EXPECT_EQ(end.length(), 0u);
    EXPECT_FALSE(file.available());

    File writeOnly(str(dir.path("write-only")), 34);
    ByteArray chunk("stale");
    writeOnly >> chunk;
    EXPECT_EQ(chunk.length(), 0u);
    EXPECT_FALSE(writeOnly.available());
    writeOnly << ByteArray("still writable");  // reading left the state good
    writeOnly.close();
    EXPECT_EQ(readWithStdio(dir.path("write-only")), "still writable");
}

// ---- Open modes ---------------------------------------------------------------------------------

TEST(File, OpenModeBitsMeanWhatTheySay) {
    TemporaryDirectory dir;
    const std::string path = dir.path("modes");
    writeWithStdio(path, "0123456789");
    {
        File append(str(path), File::MODE_WRITE | File::MODE_APPEND);
        append << ByteArray("ab");
    }
    EXPECT_EQ(readWithStdio(path), "0123456789ab");
    {
        File readWrite(str(path), File::MODE_READ | File::MODE_WRITE);
        readWrite << ByteArray("XY");  // overwrites in place, keeps the rest
    }
    EXPECT_EQ(readWithStdio(path), "XY23456789ab");
    {
        File atEnd(str(path), File::MODE_READ | File::MODE_WRITE | File::MODE_AT_END);
        atEnd << 'z';
    }
    EXPECT_EQ(readWithStdio(path), "XY23456789abz");
    {
        File truncated(str(path), File::MODE_READ | File::MODE_WRITE | File::MODE_TRUNCATE);
        EXPECT_FALSE(truncated.available());
        truncated << ByteArray("new");
    }
    EXPECT_EQ(readWithStdio(path), "new");
    { File created(str(dir.path("created")), 34); }
    EXPECT_TRUE(File::exists(str(dir.path("created"))));
}

TEST(FileOutputStream, StartsWithTheFileEmptied) {
    TemporaryDirectory dir;
    const std::string path = dir.path("existing");
    writeWithStdio(path, "old contents that must go");
    FileOutputStream out(str(path));
    EXPECT_EQ(readWithStdio(path), "");
    out << 'a' << ByteArray("bc");
    out.flush();
    EXPECT_EQ(readWithStdio(path), "abc");
    out.close();
    EXPECT_EQ(readWithStdio(path), "abc");
}

// ---- Copies and closing -------------------------------------------------------------------------

TEST(File, CopiesShareTheOpenFileAndCloseItOnce) {
    TemporaryDirectory dir;
    writeWithStdio(dir.path("first"), everyByteValue(30000, 1));
    writeWithStdio(dir.path("second"), "second file");
    const std::size_t baseline = openDescriptors();
    {
        File a(str(dir.path("first")), 33);
        File b(a);
        File c(str(dir.path("second")), 33);
        c = a;  // c's own file is closed here: a, b and c share one now
        EXPECT_EQ(openDescriptors(), baseline + 1);
        ByteArray chunk;
        a >> chunk;
        b >> chunk;  // one position for all copies
        EXPECT_EQ(bytes(chunk), everyByteValue(30000, 1).substr(10239, 10239));
    }
    EXPECT_EQ(openDescriptors(), baseline);

    // Closing one copy closes the file for all; the descriptor number may go
    // to another file then, and no later close of a copy may touch it.
    auto a = std::make_unique<File>(str(dir.path("first")), 33);
    File b(*a);
    a->close();
    a->close();
    EXPECT_EQ(openDescriptors(), baseline);
    File other(str(dir.path("second")), 33);
    b.close();
    a.reset();
    ByteArray chunk;
    other >> chunk;
    EXPECT_EQ(bytes(chunk), "second file");
}

TEST(FileStreams, CopiesShareTheFile) {
    TemporaryDirectory dir;
    writeWithStdio(dir.path("shared"), "abcdef");
    const std::size_t baseline = openDescriptors();
    {
        FileInputStream in(str(dir.path("shared")));
        FileInputStream copy(in);
        EXPECT_EQ(bytes(in.readBlob(2)), "ab");
        // The surplus of the first chunk is in `in`'s push-back buffer; the
        // copy reads on from the shared file position, which is at the end.
        EXPECT_FALSE(copy.hasData());
        EXPECT_EQ(openDescriptors(), baseline + 1);
    }
    {
        FileOutputStream out(str(dir.path("written")));
        FileOutputStream copy(out);
        out << ByteArray("ab");
        copy << ByteArray("cd");
    }
    EXPECT_EQ(openDescriptors(), baseline);
    EXPECT_EQ(readWithStdio(dir.path("written")), "abcd");
}

TEST(File, AfterCloseReadsAreEmptyAndWritesFail) {
    TemporaryDirectory dir;
    writeWithStdio(dir.path("closed"), "abc");
    File in(str(dir.path("closed")), 33);
    in.close();
    ByteArray chunk("stale");
    in >> chunk;
    EXPECT_EQ(chunk.length(), 0u);
    EXPECT_FALSE(in.available());

    FileOutputStream out(str(dir.path("closed-out")));
    out << ByteArray("kept");
    out.close();
    korvane_test::expectError<IOException>([&] { out << ByteArray("lost"); }, 0,
                                           "File::operator<<(ByteArray&)", "");
    EXPECT_THROW(out << 'x', IOException);  // the file stays failed
    out.close();                            // closing again does nothing
    EXPECT_EQ(readWithStdio(dir.path("closed-out")), "kept");

    FileInputStream stream(str(dir.path("closed")));
    EXPECT_EQ(bytes(stream.readBlob(1)), "a");
    stream.close();
    EXPECT_EQ(bytes(stream.readBlob(5)), "bc");  // pushed back before closing
    EXPECT_FALSE(stream.hasData());
}
