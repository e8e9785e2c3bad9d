// File and the file streams: exact round trips of every byte value, open
// modes, copies sharing one descriptor, and every failure, each in a fresh
// temporary directory. Unreadable and unwritable paths are made without
// permissions, which do not stop root: missing files and directories, paths
// under a regular file, directories, /proc and /dev entries where the system
// has them.
//
// The file streams' chunk sizes and the output side. Random walks of
// reads, peeks, push-backs and piping against a reference model are the
// stream fuzz target's, replayed from its corpus on every build.
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <random>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"
#include "korvane/FilteredOutputStream.h"
#include "korvane/IOException.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

// A whole file through stdio, the independent writer.
inline void writeFile(const std::string& path, const std::string& content) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    EXPECT_EQ(std::fwrite(content.data(), 1, content.size(), f), content.size());
    ASSERT_EQ(std::fclose(f), 0);
}

// Anything at all at `path`, a dangling link included.
inline bool onDisk(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// The files this process has open: the entries of /proc/self/fd, or on
// Windows the C runtime's descriptors, which the file streams use.
inline std::size_t openDescriptors() {
#ifdef _WIN32
    std::size_t open = 0;
    for (int descriptor = 0; descriptor < 2048; ++descriptor)
        if (_get_osfhandle(descriptor) != -1) ++open;
    return open;
#else
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
#endif
}

}  // namespace

TEST(File, EveryByteRoundTripsThroughSaveLoadAndTheStreams) {
    korvane_test::ScratchDirectory dir;
    std::mt19937 random(korvane_test::testSeed(2024));
    // Largest first, so that each save replaces a longer file.
    for (std::size_t size : {std::size_t(5 * 1024 * 1024 + 17), std::size_t(0)}) {
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i < 256 ? i : random());
        const std::string saved = dir.file("saved"), streamed = dir.file("streamed");
        File::save(makeString(saved), byteArray(content));
        EXPECT_TRUE(fileBytes(saved) == content) << size;
        EXPECT_TRUE(bytes(File::load(makeString(saved))) == content) << size;
        {
            // Blocks of random sizes with single bytes between them; the
            // destructor writes out what is buffered.
            FileOutputStream out(makeString(streamed));
            for (std::size_t at = 0, n; at < size; at += n) {
                n = random() % 4 == 0 ? 1 : std::min<std::size_t>(size - at, random() % 70000);
                if (n == 1) out << content[at]; else out << byteArray(content.substr(at, n));
            }
        }
        FileInputStream in(makeString(streamed));
        ByteArrayOutputStream collected;
        collected << in;
        EXPECT_TRUE(bytes(collected.getByteArray()) == content) << size;
        EXPECT_EQ(in.getCount(), size);
    }
}

TEST(File, OpenModesAndCopiesSharingTheOpenFile) {
    korvane_test::ScratchDirectory dir;
    const std::string path = dir.file("modes");
    writeFile(path, "0123456789");
    const struct { int mode; const char *written, *after; } cases[] = {
        {File::MODE_WRITE | File::MODE_APPEND, "ab", "0123456789ab"},
        {File::MODE_READ | File::MODE_WRITE, "XY", "XY23456789ab"},  // in place, keeps the rest
        {File::MODE_READ | File::MODE_WRITE | File::MODE_AT_END, "z", "XY23456789abz"},
        {File::MODE_READ | File::MODE_WRITE | File::MODE_TRUNCATE, "new", "new"},
    };
    for (const auto& c : cases) {
        File(makeString(path), c.mode) << ByteArray(c.written);
        EXPECT_EQ(fileBytes(path), c.after) << c.mode;
    }
    // 0 opens for nothing; truncation or appending alone name no direction;
    // reading and writing a missing file without creating it.
    for (int mode : {0, 4, 16, 32, 8 | 16, 1 | 16})
        expectError<IOException>([&] { File file(makeString(path), mode); }, 0, "File::File(String)", "");
    EXPECT_THROW(File(makeString(dir.file("missing")), 1 | 2), IOException);
    EXPECT_FALSE(onDisk(dir.file("missing")));

    const String first = makeString(path), second = makeString(dir.file("second"));
    writeFile(dir.file("second"), "second file");
    const std::size_t baseline = openDescriptors();
    {
        File a(first, 33), b(a), c(second, 33);
        c = a;  // c's own file is closed here: a, b and c share one now
        EXPECT_EQ(openDescriptors(), baseline + 1);
        FileOutputStream out(makeString(dir.file("written")));
        FileOutputStream outCopy(out);
        out << ByteArray("ab");
        outCopy << ByteArray("cd");
    }
    EXPECT_EQ(openDescriptors(), baseline);
    EXPECT_EQ(fileBytes(dir.file("written")), "abcd");
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

TEST(FileErrors, UnreadableAndUnwritablePathsAreError0AndLeaveTheDiskAlone) {
    korvane_test::ScratchDirectory root;
    writeFile(root.file("file"), "content");
    std::filesystem::create_directory(root.file("dir"));
    const std::vector<std::pair<const char*, std::string>> paths = {
        {"missing directory", root.file("no-such-dir/x")},
        {"path under a regular file", root.file("file/x")},
        {"directory", root.file("dir")},
        {"empty path", ""},
        {"embedded NUL", root.file("file") + std::string(1, '\0') + "x"},
        {"missing file", root.file("missing")},
    };
    for (const auto& entry : paths) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        expectError<IOException>([&] { File::load(makeString(path)); }, 0, "File::load(String)", path);
        expectError<IOException>([&] { FileInputStream in(makeString(path)); }, 0, "File::File(String)", "");
        EXPECT_FALSE(File::exists(makeString(path)));
        if (path == root.file("missing")) continue;  // writable
        expectError<IOException>([&] { FileOutputStream out(makeString(path)); }, 0, "File::File(String)", "");
        expectError<IOException>([&] { File::save(makeString(path), ByteArray("data")); }, 0,
                                 "File::save(String, ByteArray)", path);
        EXPECT_NO_THROW(File::create(makeString(path)));
    }
    EXPECT_FALSE(onDisk(root.file("no-such-dir")));
    EXPECT_FALSE(onDisk(root.file("file/x")));
    EXPECT_TRUE(std::filesystem::is_empty(root.file("dir")));
    EXPECT_EQ(fileBytes(root.file("file")), "content");  // not emptied through the NUL path
    File::create(makeString(root.file("file")));
    EXPECT_EQ(fileBytes(root.file("file")), "");
    EXPECT_TRUE(File::exists(makeString(root.file("file"))));  // an empty file exists

    // Reading /proc/self/mem at offset 0 fails with EIO: an error, not an empty file.
    if (onDisk("/proc/self/mem"))
        expectError<IOException>([] { File::load("/proc/self/mem"); }, 0, "File::load(String)", "/proc/self/mem");
}

TEST(FileErrors, RemoveIsError33ForMissingPathsAnd32ForProtectedOnes) {
    korvane_test::ScratchDirectory root;
    const std::string readOnly = root.file("read-only");
    writeFile(readOnly, "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    std::filesystem::create_directory(root.file("dir"));
    const struct { std::string path; int errNo; } cases[] = {
        {root.file("missing"), 33}, {root.file("read-only/x"), 33}, {"", 33},
        {root.file(std::string(300, 'n')), 33}, {readOnly, 32}, {root.file("dir"), 32},
        {"/proc/version", 32},  // procfs refuses unlink with EPERM, for root too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        if (c.errNo == 32 && !onDisk(c.path)) continue;
        expectError<IOException>([&] { File::remove(makeString(c.path)); }, c.errNo, "File::remove", c.path);
    }
    EXPECT_EQ(fileBytes(readOnly), "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0200), 0);  // writable by its owner only
    File::remove(makeString(readOnly));
    EXPECT_FALSE(onDisk(readOnly));
}

// A write that fails returns and leaves the file failed: the next read or
// write reports it, and flush or close report a failure no throw has told of.
TEST(FileErrors, AFailedWriteNeverReportsSuccess) {
    korvane_test::ScratchDirectory dir;
    writeFile(dir.file("read-only"), "abc");
    {
        File file(makeString(dir.file("read-only")), 33);
        EXPECT_NO_THROW(file << ByteArray("x"));
        expectError<IOException>([&] { file << ByteArray("y"); }, 0, "File::operator<<(ByteArray&)", "");
        ByteArray chunk;
        expectError<IOException>([&] { file >> chunk; }, 0, "File::operator>>(ByteArray&)", "");
        EXPECT_NO_THROW(file.close());  // already reported
    }
    EXPECT_EQ(fileBytes(dir.file("read-only")), "abc");
    {
        FileOutputStream out(makeString(dir.file("closed")));
        out << ByteArray("kept");
        out.close();
        EXPECT_NO_THROW(out << ByteArray("lost"));
        expectError<IOException>([&] { out << 'x'; }, 0, "File::operator<<(ByteArray&)", "");
        out.close();
    }
    EXPECT_EQ(fileBytes(dir.file("closed")), "kept");
}

#ifndef _WIN32
// /dev/full accepts the open and refuses every write with ENOSPC.
TEST(FileErrors, AFullDeviceFailsEveryWriteAndEachFailureIsReportedOnce) {
    if (!onDisk("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    expectError<IOException>([] { File::save("/dev/full", ByteArray(100u, 'x')); }, 0,
                             "File::save(String, ByteArray)", "/dev/full");
    File::save("/dev/full", ByteArray());  // nothing to write, nothing fails
    {
        FileOutputStream out("/dev/full");
        out << 'x';  // waits in the buffer: the flush reports it
        expectError<IOException>([&] { out.flush(); }, 0, "File::flush()", "");
    }
    File file("/dev/full", 34);
    file << ByteArray("buffered");
    expectError<IOException>([&] { file.close(); }, 0, "File::close()", "");
    file.close();  // closed already: nothing more to report
}
#endif

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
        writeFile(path, std::string(c.size, 'x'));
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
