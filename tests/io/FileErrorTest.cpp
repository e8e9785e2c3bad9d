// Every failure of the file layer: the error number, location and extra text
// of the IOException, and what is left on disk. Paths that cannot be read or
// written are made without relying on permissions, which do not stop root:
// missing files and directories, paths under a regular file, directories
// named as files, /proc and /dev entries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "io/IoTestSupport.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"
#include "korvane/IOException.h"

using namespace Korvane;
using korvane_test::expectError;
using korvane_test::makeString;
using korvane_test::onDisk;
using korvane_test::readFile;
using korvane_test::writeFile;

namespace {

using Paths = std::vector<std::pair<std::string, std::string>>;  // what, path

// A temporary directory holding a regular file "file" (content "content")
// and a directory "dir"; `missing` names nothing.
struct Scene {
    Scene() {
        writeFile(root.path("file"), "content");
        std::filesystem::create_directory(root.path("dir"));
    }
    korvane_test::TemporaryDirectory root;
    const std::string file = root.path("file");
    const std::string directory = root.path("dir");
    const std::string missing = root.path("missing");
    const std::string withNul = file + std::string(1, '\0') + "x";

    // Paths no file can be written at.
    Paths unwritable() const {
        return {{"missing directory", root.path("no-such-dir/x")},
                {"path under a regular file", root.path("file/x")},
                {"directory", directory},
                {"empty path", ""},
                {"embedded NUL", withNul}};
    }
    // Paths that name no readable file.
    Paths unreadable() const {
        Paths paths = unwritable();
        paths.emplace_back("missing file", missing);
        return paths;
    }
};

}  // namespace

// ---- Opening ------------------------------------------------------------------------------------

TEST(FileErrors, OpeningOrLoadingAnUnreadablePathIsError0) {
    Scene s;
    for (const auto& entry : s.unreadable()) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        expectError<IOException>([&] { File::load(makeString(path)); }, 0, "File::load(String)", path);
        expectError<IOException>([&] { FileInputStream in(makeString(path)); }, 0,
                                 "File::File(String)", "");
        EXPECT_THROW(File(makeString(path), 33), IOException);
        EXPECT_FALSE(File::exists(makeString(path)));
    }
    EXPECT_TRUE(File::exists(makeString(s.file)));
}

TEST(FileErrors, OpeningAnUnwritablePathIsError0AndCreatesNothing) {
    Scene s;
    for (const auto& entry : s.unwritable()) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        expectError<IOException>([&] { FileOutputStream out(makeString(path)); }, 0,
                                 "File::File(String)", "");
        expectError<IOException>([&] { File::save(makeString(path), ByteArray("data")); }, 0,
                                 "File::save(String, ByteArray)", path);
    }
    EXPECT_FALSE(onDisk(s.root.path("no-such-dir")));
    EXPECT_EQ(readFile(s.file), "content");
    EXPECT_TRUE(std::filesystem::is_empty(s.directory));
}

TEST(FileErrors, OpenModesThePlatformRefusesAreError0) {
    Scene s;
    // 0 opens for nothing; truncation or appending alone say nothing of the
    // direction; reading and writing a missing file without creating it.
    for (int mode : {0, 4, 16, 32, 8 | 16, 1 | 16}) {
        SCOPED_TRACE(mode);
        expectError<IOException>([&] { File file(makeString(s.file), mode); }, 0,
                                 "File::File(String)", "");
    }
    EXPECT_THROW(File(makeString(s.missing), 1 | 2), IOException);
    EXPECT_FALSE(onDisk(s.missing));
    EXPECT_EQ(readFile(s.file), "content");
}

// ---- Reading and writing ------------------------------------------------------------------------

TEST(FileErrors, AReadErrorIsNotTheEndOfTheFile) {
    // Reading /proc/self/mem at offset 0 fails with EIO (nothing is mapped
    // there). Either the open or the read fails; neither may look like an
    // empty file.
    if (!onDisk("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem on this machine";
    expectError<IOException>([&] { const ByteArray content = File::load("/proc/self/mem"); }, 0,
                             "File::load(String)", "/proc/self/mem");
    try {
        FileInputStream in("/proc/self/mem");
        EXPECT_TRUE(in.hasData());
        ByteArray chunk;
        in >> chunk;
        ADD_FAILURE() << "read returned " << chunk.length() << " bytes";
    } catch (const IOException& e) {
        EXPECT_EQ(e.getErrNo(0), 0);
        const std::string location = korvane_test::str(e.getErrLocation(0));
        EXPECT_TRUE(location == "File::File(String)" || location == "File::operator>>(ByteArray&)")
            << location;
    }
}

TEST(FileErrors, AFailedWriteNeverReportsSuccess) {
    // /dev/full accepts the open and refuses every write with ENOSPC.
    if (!onDisk("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    expectError<IOException>([] { File::save("/dev/full", ByteArray(100u, 'x')); }, 0,
                             "File::save(String, ByteArray)", "/dev/full");
    File::save("/dev/full", ByteArray());  // nothing to write, nothing fails
    {
        // A small write waits in the buffer: the flush reports it.
        FileOutputStream out("/dev/full");
        out << 'x';
        expectError<IOException>([&] { out.flush(); }, 0, "File::flush()", "");
        expectError<IOException>([&] { out << ByteArray("more"); }, 0,
                                 "File::operator<<(ByteArray&)", "");
    }
    {
        // A block larger than the buffer goes out at once and fails; the
        // write itself returns, the next one reports the failed file, and
        // close() has nothing left to tell.
        FileOutputStream out("/dev/full");
        EXPECT_NO_THROW(out << ByteArray(100000u, 'x'));
        expectError<IOException>([&] { out << 'x'; }, 0, "File::operator<<(ByteArray&)", "");
        EXPECT_NO_THROW(out.close());
    }
    {
        // A failed last write is reported by close() ...
        FileOutputStream out("/dev/full");
        out << ByteArray(100000u, 'x');
        expectError<IOException>([&] { out.close(); }, 0, "File::close()", "");
    }
    {
        // ... or by flush(), once.
        File file("/dev/full", 34);
        file << ByteArray(100000u, 'x');
        expectError<IOException>([&] { file.flush(); }, 0, "File::flush()", "");
        EXPECT_NO_THROW(file.flush());
        expectError<IOException>([&] { file << ByteArray("more"); }, 0,
                                 "File::operator<<(ByteArray&)", "");
    }
    File file("/dev/full", 34);
    file << ByteArray("buffered");
    expectError<IOException>([&] { file.close(); }, 0, "File::close()", "");
    file.close();  // closed already: nothing more to report
}

TEST(FileErrors, WritingAFileOpenForReadingFailsOnTheNextCall) {
    korvane_test::TemporaryDirectory dir;
    writeFile(dir.path("read-only"), "abc");
    File file(makeString(dir.path("read-only")), 33);
    EXPECT_NO_THROW(file << ByteArray("x"));  // fails, and leaves the file failed
    expectError<IOException>([&] { file << ByteArray("y"); }, 0, "File::operator<<(ByteArray&)", "");
    ByteArray chunk;
    expectError<IOException>([&] { file >> chunk; }, 0, "File::operator>>(ByteArray&)", "");
    EXPECT_NO_THROW(file.close());  // already reported
    EXPECT_EQ(readFile(dir.path("read-only")), "abc");
}

// ---- Whole-file operations ----------------------------------------------------------------------

TEST(FileErrors, RemoveOfAMissingFileOrPathIsError33) {
    Scene s;
    Paths cases = s.unreadable();
    cases.erase(cases.begin() + 2);  // a directory is error 32, below
    cases.emplace_back("name too long", s.root.path(std::string(300, 'n')));
    for (const auto& entry : cases) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        expectError<IOException>([&] { File::remove(makeString(path)); }, 33, "File::remove", path);
    }
    EXPECT_EQ(readFile(s.file), "content");
}

TEST(FileErrors, RemoveOfAReadOnlyFileOrDirectoryIsError32) {
    Scene s;
    const std::string readOnly = s.root.path("read-only");
    writeFile(readOnly, "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    Paths cases = {{"read-only file", readOnly}, {"directory", s.directory}};
    // procfs refuses unlink with EPERM, for root too.
    if (onDisk("/proc/version")) cases.emplace_back("protected system file", "/proc/version");
    for (const auto& entry : cases) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        expectError<IOException>([&] { File::remove(makeString(path)); }, 32, "File::remove", path);
        EXPECT_TRUE(onDisk(path));
    }
    EXPECT_EQ(readFile(readOnly), "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0200), 0);  // writable by its owner only
    File::remove(makeString(readOnly));
    EXPECT_FALSE(onDisk(readOnly));
}

TEST(File, RemoveDeletesAFileOnce) {
    Scene s;
    File::remove(makeString(s.file));
    EXPECT_FALSE(onDisk(s.file));
    EXPECT_FALSE(File::exists(makeString(s.file)));
    EXPECT_THROW(File::remove(makeString(s.file)), IOException);

    // A symbolic link goes, its target stays.
    writeFile(s.root.path("target"), "t");
    ASSERT_EQ(::chmod(s.root.path("target").c_str(), 0444), 0);
    ASSERT_EQ(::symlink("target", s.root.path("link").c_str()), 0);
    File::remove(makeString(s.root.path("link")));
    EXPECT_FALSE(onDisk(s.root.path("link")));
    EXPECT_EQ(readFile(s.root.path("target")), "t");
}

TEST(File, CreateMakesOrEmptiesAFileAndNeverThrows) {
    Scene s;
    File::create(makeString(s.file));
    EXPECT_EQ(readFile(s.file), "");
    EXPECT_EQ(File::load(makeString(s.file)).length(), 0u);
    EXPECT_TRUE(File::exists(makeString(s.file)));  // an empty file exists

    File::create(makeString(s.missing));
    EXPECT_EQ(readFile(s.missing), "");

    for (const auto& entry : s.unwritable()) {
        const std::string& path = entry.second;
        SCOPED_TRACE(entry.first);
        EXPECT_NO_THROW(File::create(makeString(path)));
    }
    EXPECT_FALSE(onDisk(s.root.path("no-such-dir")));
    EXPECT_TRUE(std::filesystem::is_directory(s.directory));
    EXPECT_FALSE(onDisk(s.file + "/x"));
    // The NUL path must not have emptied or made the part before the NUL.
    writeFile(s.file, "again");
    File::create(makeString(s.withNul));
    EXPECT_EQ(readFile(s.file), "again");
}

TEST(FileErrors, ReportsCarryTheCatalogTexts) {
    const struct {
        int errNo;
        const char* text;
    } cases[] = {
        {0, "Unable to perform file operation"},
        {30, "No more data left to read in from InputStream"},
        {31, "You can't push back more data than you're already read off an InputStream"},
        {32, "The file is read only"},
        {33, "File path not found"},
    };
    Scene s;
    try {
        File::remove(makeString(s.missing));
        FAIL() << "removed a missing file";
    } catch (const IOException& e) {
        for (const auto& c : cases)
            EXPECT_EQ(korvane_test::str(e.getErrorText(c.errNo, Exception::LIB_QUILLON)), c.text);
        const std::string report = korvane_test::str(e.toString(0));
        EXPECT_NE(report.find("Location : File::remove\n"), std::string::npos) << report;
        EXPECT_NE(report.find("Error    : File path not found\n" + s.missing), std::string::npos)
            << report;
    }
}
