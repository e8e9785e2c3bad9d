// Every failure of the file layer: the error number, location and extra text
// of the IOException, and what is left on disk. Paths that cannot be read or
// written are made without relying on permissions, which do not stop root:
// missing files and directories, paths under a regular file, directories
// named as files, /proc and /dev entries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "io/IoTestSupport.h"
#include "korvane/File.h"
#include "korvane/FileInputStream.h"
#include "korvane/FileOutputStream.h"
#include "korvane/IOException.h"

using namespace Korvane;
using korvane_test::bytes;
using korvane_test::expectSingleError;
using korvane_test::TemporaryDirectory;

namespace {

String str(const std::string& s) {
    String result;
    for (char c : s) result += c;  // keeps embedded NULs
    return result;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    ASSERT_TRUE(out.good()) << path;
}

bool onDisk(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A temporary directory holding a regular file "file" (content "content")
// and a directory "dir"; `missing` names nothing.
struct Scene {
    Scene() {
        writeFile(root.path("file"), "content");
        std::filesystem::create_directory(root.path("dir"));
    }
    TemporaryDirectory root;
    std::string file() const { return root.path("file"); }
    std::string directory() const { return root.path("dir"); }
    std::string missing() const { return root.path("missing"); }
    std::string inMissingDirectory() const { return root.path("no-such-dir/x"); }
    std::string underRegularFile() const { return root.path("file/x"); }
    std::string withNul() const { return root.path("file") + std::string(1, '\0') + "x"; }
};

// Paths that name no readable file, with what each stands for.
std::vector<std::pair<std::string, std::string>> unreadable(const Scene& s) {
    return {
        {"missing file", s.missing()},
        {"missing directory", s.inMissingDirectory()},
        {"path under a regular file", s.underRegularFile()},
        {"directory", s.directory()},
        {"empty path", ""},
        {"embedded NUL", s.withNul()},
    };
}

// Paths no file can be written at.
std::vector<std::pair<std::string, std::string>> unwritable(const Scene& s) {
    return {
        {"missing directory", s.inMissingDirectory()},
        {"path under a regular file", s.underRegularFile()},
        {"directory", s.directory()},
        {"empty path", ""},
        {"embedded NUL", s.withNul()},
    };
}

}  // namespace

// ---- Opening ------------------------------------------------------------------------------------

TEST(FileErrors, LoadOfAnUnreadablePathIsError0WithThePath) {
    Scene s;
    for (const auto& entry : unreadable(s)) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        korvane_test::expectError<IOException>([&] { File::load(str(path)); }, 0,
                                               "File::load(String)", path);
    }
}

TEST(FileErrors, OpeningAnUnreadablePathIsError0) {
    Scene s;
    for (const auto& entry : unreadable(s)) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        korvane_test::expectError<IOException>([&] { FileInputStream in(str(path)); }, 0,
                                               "File::File(String)", "");
        EXPECT_THROW(File(str(path), 33), IOException);
        EXPECT_FALSE(File::exists(str(path)));
    }
    EXPECT_TRUE(File::exists(str(s.file())));
}

TEST(FileErrors, OpeningAnUnwritablePathIsError0AndCreatesNothing) {
    Scene s;
    for (const auto& entry : unwritable(s)) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        korvane_test::expectError<IOException>([&] { FileOutputStream out(str(path)); }, 0,
                                               "File::File(String)", "");
        korvane_test::expectError<IOException>([&] { File::save(str(path), ByteArray("data")); }, 0,
                                               "File::save(String, ByteArray)", path);
    }
    EXPECT_FALSE(onDisk(s.root.path("no-such-dir")));
    EXPECT_EQ(contentOf(s.file()), "content");
    EXPECT_TRUE(std::filesystem::is_empty(s.directory()));
}

TEST(FileErrors, OpenModesThePlatformRefusesAreError0) {
    Scene s;
    // 0 opens for nothing; truncation or appending alone say nothing of the
    // direction; reading and writing a missing file without creating it.
    const int refused[] = {0, 4, 16, 32, 8 | 16, 1 | 16};
    for (int mode : refused) {
        SCOPED_TRACE(mode);
        korvane_test::expectError<IOException>([&] { File file(str(s.file()), mode); }, 0,
                                               "File::File(String)", "");
    }
    EXPECT_THROW(File(str(s.missing()), 1 | 2), IOException);
    EXPECT_FALSE(onDisk(s.missing()));
    EXPECT_EQ(contentOf(s.file()), "content");
}

TEST(FileErrors, ProcFilesThatCannotBeWrittenFail) {
    if (!onDisk("/proc/version")) GTEST_SKIP() << "no /proc on this machine";
    korvane_test::expectError<IOException>([&] { File::save("/proc/version", ByteArray("x")); }, 0,
                                           "File::save(String, ByteArray)", "/proc/version");
    // Root may open it for writing; then the write is what fails.
    EXPECT_THROW(
        {
            FileOutputStream out("/proc/version");
            out << ByteArray("x");
            out.close();
        },
        IOException);
    EXPECT_NE(contentOf("/proc/version"), "x");
}

// ---- Reading and writing ------------------------------------------------------------------------

TEST(FileErrors, AReadErrorIsNotTheEndOfTheFile) {
    // Reading /proc/self/mem at offset 0 fails with EIO (nothing is mapped
    // there). Either the open or the read fails; neither may look like an
    // empty file.
    if (!onDisk("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem on this machine";
    korvane_test::expectError<IOException>(
        [&] { const ByteArray content = File::load("/proc/self/mem"); }, 0, "File::load(String)",
        "/proc/self/mem");
    try {
        FileInputStream in("/proc/self/mem");
        EXPECT_TRUE(in.hasData());
        ByteArray chunk;
        in >> chunk;
        ADD_FAILURE() << "read returned " << chunk.length() << " bytes";
    } catch (const IOException& e) {
        EXPECT_EQ(e.getErrNo(0), 0);
        const std::string location = korvane_test::text(e.getErrLocation(0));
        EXPECT_TRUE(location == "File::File(String)" || location == "File::operator>>(ByteArray&)")
            << location;
    }
}

TEST(FileErrors, AFailedWriteNeverReportsSuccess) {
    // /dev/full accepts the open and refuses every write with ENOSPC.
    if (!onDisk("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    try {
        File::save("/dev/full", ByteArray(100u, 'x'));
        ADD_FAILURE() << "save to /dev/full succeeded";
    } catch (const IOException& e) {
        expectSingleError(e, 0, "File::save(String, ByteArray)", "/dev/full");
    }
    File::save("/dev/full", ByteArray());  // nothing to write, nothing fails

    {
        // A small write waits in the buffer: the flush reports it.
        FileOutputStream out("/dev/full");
        out << 'x';
        korvane_test::expectError<IOException>([&] { out.flush(); }, 0, "File::flush()", "");
        korvane_test::expectError<IOException>([&] { out << ByteArray("more"); }, 0,
                                               "File::operator<<(ByteArray&)", "");
    }
    {
        // A block larger than the buffer goes out at once and fails at once.
        FileOutputStream out("/dev/full");
        korvane_test::expectError<IOException>([&] { out << ByteArray(100000u, 'x'); }, 0,
                                               "File::operator<<(ByteArray&)", "");
    }
    {
        File file("/dev/full", 34);
        file << ByteArray("buffered");
        korvane_test::expectError<IOException>([&] { file.close(); }, 0, "File::close()", "");
        file.close();  // closed already: nothing more to report
    }
}

// ---- Whole-file operations ----------------------------------------------------------------------

TEST(FileErrors, RemoveOfAMissingFileOrPathIsError33) {
    Scene s;
    const std::pair<std::string, std::string> cases[] = {
        {"missing file", s.missing()},
        {"missing directory", s.inMissingDirectory()},
        {"path under a regular file", s.underRegularFile()},
        {"empty path", ""},
        {"embedded NUL", s.withNul()},
        {"name too long", s.root.path(std::string(300, 'n'))},
    };
    for (const auto& entry : cases) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        korvane_test::expectError<IOException>([&] { File::remove(str(path)); }, 33, "File::remove",
                                               path);
    }
    EXPECT_EQ(contentOf(s.file()), "content");
}

TEST(FileErrors, RemoveOfAReadOnlyFileOrDirectoryIsError32) {
    Scene s;
    const std::string readOnly = s.root.path("read-only");
    writeFile(readOnly, "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"read-only file", readOnly},
        {"directory", s.directory()},
    };
    for (const auto& entry : cases) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        korvane_test::expectError<IOException>([&] { File::remove(str(path)); }, 32, "File::remove",
                                               path);
        EXPECT_TRUE(onDisk(path));
    }
    EXPECT_EQ(contentOf(readOnly), "keep me");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0200), 0);  // writable by its owner only
    File::remove(str(readOnly));
    EXPECT_FALSE(onDisk(readOnly));
}

TEST(FileErrors, RemoveOfAProtectedSystemFileIsError32) {
    // procfs refuses unlink with EPERM, for root too.
    if (!onDisk("/proc/version")) GTEST_SKIP() << "no /proc on this machine";
    korvane_test::expectError<IOException>([&] { File::remove("/proc/version"); }, 32,
                                           "File::remove", "/proc/version");
}

TEST(File, RemoveDeletesAFileOnce) {
    Scene s;
    File::remove(str(s.file()));
    EXPECT_FALSE(onDisk(s.file()));
    EXPECT_FALSE(File::exists(str(s.file())));
    EXPECT_THROW(File::remove(str(s.file())), IOException);

    // A symbolic link goes, its target stays.
    writeFile(s.root.path("target"), "t");
    ASSERT_EQ(::chmod(s.root.path("target").c_str(), 0444), 0);
    ASSERT_EQ(::symlink("target", s.root.path("link").c_str()), 0);
    File::remove(str(s.root.path("link")));
    EXPECT_FALSE(onDisk(s.root.path("link")));
    EXPECT_EQ(contentOf(s.root.path("target")), "t");
}

TEST(File, CreateMakesOrEmptiesAFileAndNeverThrows) {
    Scene s;
    File::create(str(s.file()));
    EXPECT_TRUE(onDisk(s.file()));
    EXPECT_EQ(contentOf(s.file()), "");
    EXPECT_EQ(File::load(str(s.file())).length(), 0u);

    File::create(str(s.missing()));
    EXPECT_TRUE(File::exists(str(s.missing())));
    EXPECT_EQ(contentOf(s.missing()), "");

    for (const auto& entry : unwritable(s)) {
        const auto& what = entry.first;
        const auto& path = entry.second;
        SCOPED_TRACE(what);
        EXPECT_NO_THROW(File::create(str(path)));
    }
    EXPECT_FALSE(onDisk(s.root.path("no-such-dir")));
    EXPECT_TRUE(std::filesystem::is_directory(s.directory()));
    EXPECT_FALSE(onDisk(s.file() + "/x"));
    // The NUL path must not have emptied or made the part before the NUL.
    writeFile(s.file(), "again");
    File::create(str(s.withNul()));
    EXPECT_EQ(contentOf(s.file()), "again");
}

TEST(File, ExistsOnlyForReadableFiles) {
    Scene s;
    EXPECT_TRUE(File::exists(str(s.file())));
    File::create(str(s.root.path("empty")));
    EXPECT_TRUE(File::exists(str(s.root.path("empty"))));
    EXPECT_FALSE(File::exists(str(s.directory())));
    EXPECT_FALSE(File::exists(str(s.missing())));
    EXPECT_FALSE(File::exists(str(s.underRegularFile())));
}

TEST(FileErrors, ReportsCarryTheCatalogTexts) {
    // The texts a caller sees for the errors of streams and files.
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
        File::remove(str(s.missing()));
        FAIL() << "removed a missing file";
    } catch (const IOException& e) {
        for (const auto& c : cases)
            EXPECT_EQ(korvane_test::text(e.getErrorText(c.errNo, Exception::LIB_QUILLON)), c.text);
        const std::string report = korvane_test::text(e.toString(0));
        EXPECT_NE(report.find("Location : File::remove\n"), std::string::npos) << report;
        EXPECT_NE(report.find("Error    : File path not found\n" + s.missing()), std::string::npos)
            << report;
    }
}
