// File, FileInputStream and FileOutputStream: exact round trips of every byte
// value, chunking, open modes and copies, each in a fresh temporary
// directory. What the library writes is read back with stdio, and the other
// way round.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
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
using korvane_test::makeString;
using korvane_test::readFile;
using korvane_test::TemporaryDirectory;
using korvane_test::writeFile;

namespace {

// Every byte value in order, then seeded random bytes.
std::string everyByteValue(std::size_t n, unsigned int seed) {
    std::string s(n, '\0');
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i < 256 ? i : random() & 0xff);
    return s;
}

std::size_t openDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
}

std::vector<std::size_t> chunkLengths(InputStream& in) {
    std::vector<std::size_t> lengths;
    ByteArray chunk;
    while (in.hasData()) {
        in >> chunk;
        lengths.push_back(chunk.length());
    }
    chunk = ByteArray("stale");
    in >> chunk;
    EXPECT_EQ(chunk.length(), 0u) << "a chunk after the end";
    return lengths;
}

// Largest first, so that each save replaces a longer file.
const std::size_t kRoundTripSizes[] = {
    5 * 1024 * 1024 + 17, 25000, 10241, 10240, 10239, 256, 255, 1, 0};

}  // namespace

// ---- Round trips --------------------------------------------------------------------------------

TEST(File, SaveAndLoadKeepEveryByte) {
    TemporaryDirectory dir;
    const std::string path = dir.path("saved");
    for (std::size_t size : kRoundTripSizes) {
        SCOPED_TRACE(size);
        const std::string content = everyByteValue(size, static_cast<unsigned int>(size));
        File::save(makeString(path), byteArray(content));
        EXPECT_TRUE(readFile(path) == content) << "file on disk differs";
        EXPECT_TRUE(bytes(File::load(makeString(path))) == content) << "loaded bytes differ";
        EXPECT_TRUE(File::exists(makeString(path)));
    }
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
            FileOutputStream out(makeString(path));
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
        EXPECT_TRUE(readFile(path) == content) << "file on disk differs";
        {
            FileInputStream in(makeString(path));
            FileOutputStream copy(makeString(path + "-copy"));
            copy << in;
        }  // the destructor closes, which writes out what is buffered
        EXPECT_TRUE(readFile(path + "-copy") == content) << "piped copy differs";

        FileInputStream in(makeString(path));
        ByteArrayOutputStream collected;
        in >> collected;
        EXPECT_TRUE(bytes(collected.getByteArray()) == content) << "streamed bytes differ";
        EXPECT_EQ(in.getCount(), size);
        EXPECT_FALSE(in.hasData());
    }
}

// ---- Chunking and random reads ------------------------------------------------------------------

TEST(FileInputStream, DeliversChunksOfAtMost10239Bytes) {
    TemporaryDirectory dir;
    const struct {
        std::size_t size;
        std::vector<std::size_t> chunks;
    } cases[] = {{0, {}}, {10239, {10239}}, {10240, {10239, 1}}, {25000, {10239, 10239, 4522}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string path = dir.path("chunks-" + std::to_string(c.size));
        writeFile(path, everyByteValue(c.size, 1));
        FileInputStream in(makeString(path));
        EXPECT_EQ(chunkLengths(in), c.chunks);
    }
}

TEST(FileInputStream, RandomReadsPeeksAndPushBacksMatchTheModel) {
    TemporaryDirectory dir;
    int files = 0;
    const auto make = [&](const std::string& data) -> std::unique_ptr<InputStream> {
        const std::string path = dir.path("walk-" + std::to_string(files++));
        writeFile(path, data);
        return std::make_unique<FileInputStream>(makeString(path));
    };
    for (unsigned int seed = 500; seed < 512 && !HasFatalFailure(); ++seed)
        korvane_test::runRandomWalk(seed, 300, 10239, make, nullptr);
}

// Block reads of File itself are the chunks of FileInputStream above.
TEST(File, ReadingAWriteOnlyFileGivesNothing) {
    TemporaryDirectory dir;
    File writeOnly(makeString(dir.path("write-only")), 34);
    ByteArray chunk("stale");
    writeOnly >> chunk;
    EXPECT_EQ(chunk.length(), 0u);
    EXPECT_FALSE(writeOnly.available());
    writeOnly << ByteArray("still writable");  // reading left the state good
    writeOnly.close();
    EXPECT_EQ(readFile(dir.path("write-only")), "still writable");
}

// ---- Open modes ---------------------------------------------------------------------------------

TEST(File, OpenModeBitsMeanWhatTheySay) {
    TemporaryDirectory dir;
    const std::string path = dir.path("modes");
    writeFile(path, "0123456789");
    const struct {
        int mode;
        const char* written;
        const char* after;
    } cases[] = {
        {File::MODE_WRITE | File::MODE_APPEND, "ab", "0123456789ab"},
        {File::MODE_READ | File::MODE_WRITE, "XY", "XY23456789ab"},  // in place, keeps the rest
        {File::MODE_READ | File::MODE_WRITE | File::MODE_AT_END, "z", "XY23456789abz"},
        {File::MODE_READ | File::MODE_WRITE | File::MODE_TRUNCATE, "new", "new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        {
            File file(makeString(path), c.mode);
            if (c.mode & File::MODE_TRUNCATE) {
                EXPECT_FALSE(file.available());
            }
            file << ByteArray(c.written);
        }
        EXPECT_EQ(readFile(path), c.after);
    }
    { File created(makeString(dir.path("created")), 34); }
    EXPECT_TRUE(File::exists(makeString(dir.path("created"))));
}

TEST(FileOutputStream, StartsWithTheFileEmptied) {
    TemporaryDirectory dir;
    const std::string path = dir.path("existing");
    writeFile(path, "old contents that must go");
    FileOutputStream out(makeString(path));
    EXPECT_EQ(readFile(path), "");
    out << 'a' << ByteArray("bc");
    out.flush();
    EXPECT_EQ(readFile(path), "abc");
}

// ---- Copies and closing -------------------------------------------------------------------------

TEST(File, CopiesShareTheOpenFileAndCloseItOnce) {
    TemporaryDirectory dir;
    const String first = makeString(dir.path("first"));
    const String second = makeString(dir.path("second"));
    writeFile(dir.path("first"), everyByteValue(30000, 1));
    writeFile(dir.path("second"), "second file");
    const std::size_t baseline = openDescriptors();
    {
        File a(first, 33);
        File b(a);
        File c(second, 33);
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
    auto a = std::make_unique<File>(first, 33);
    File b(*a);
    a->close();
    a->close();
    EXPECT_EQ(openDescriptors(), baseline);
    File other(second, 33);
    b.close();
    a.reset();
    ByteArray chunk;
    other >> chunk;
    EXPECT_EQ(bytes(chunk), "second file");
}

TEST(FileStreams, CopiesShareTheFile) {
    TemporaryDirectory dir;
    writeFile(dir.path("shared"), "abcdef");
    const std::size_t baseline = openDescriptors();
    {
        FileInputStream in(makeString(dir.path("shared")));
        FileInputStream copy(in);
        EXPECT_EQ(bytes(in.readBlob(2)), "ab");
        // The surplus of the first chunk is in `in`'s push-back buffer; the
        // copy reads on from the shared file position, which is at the end.
        EXPECT_FALSE(copy.hasData());
        EXPECT_EQ(openDescriptors(), baseline + 1);
    }
    {
        FileOutputStream out(makeString(dir.path("written")));
        FileOutputStream copy(out);
        out << ByteArray("ab");
        copy << ByteArray("cd");
    }
    EXPECT_EQ(openDescriptors(), baseline);
    EXPECT_EQ(readFile(dir.path("written")), "abcd");
}

TEST(File, AfterCloseReadsAreEmptyAndWritesFail) {
    TemporaryDirectory dir;
    writeFile(dir.path("closed"), "abc");
    File in(makeString(dir.path("closed")), 33);
    in.close();
    ByteArray chunk("stale");
    in >> chunk;
    EXPECT_EQ(chunk.length(), 0u);
    EXPECT_FALSE(in.available());

    FileOutputStream out(makeString(dir.path("closed-out")));
    out << ByteArray("kept");
    out.close();
    EXPECT_NO_THROW(out << ByteArray("lost"));  // fails, leaving the file failed
    korvane_test::expectError<IOException>([&] { out << 'x'; }, 0,
                                           "File::operator<<(ByteArray&)", "");
    EXPECT_THROW(out << ByteArray("y"), IOException);  // the file stays failed
    out.close();                                       // closing again does nothing
    EXPECT_EQ(readFile(dir.path("closed-out")), "kept");

    FileInputStream stream(makeString(dir.path("closed")));
    EXPECT_EQ(bytes(stream.readBlob(1)), "a");
    stream.close();
    EXPECT_EQ(bytes(stream.readBlob(5)), "bc");  // pushed back before closing
    EXPECT_FALSE(stream.hasData());
}
