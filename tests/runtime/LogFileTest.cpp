#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "RuntimeTestSupport.h"
#include "korvane/ByteArray.h"
#include "korvane/LogFile.h"
#include "korvane/String.h"

using namespace Korvane;
using korvane_test::awaitOrAbort;
using korvane_test::fileBytes;
using korvane_test::ScratchDirectory;

namespace {

// The deprecation notice that precedes the first String written to a log is
// the concern of the notice tests; this program uses it up before any log
// exists, so the bytes below are the log's own.
class UseUpTheConversionNotice : public ::testing::Environment {
public:
    void SetUp() override { (void)String("x").getASCIIByteArray(); }
};
const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new UseUpTheConversionNotice);

LogFile::LOG_TYPE type(int n) { return LogFile::LOG_TYPE(n); }

// A string buffer that counts how often its stream is flushed.
class CountingBuffer : public std::stringbuf {
public:
    int syncs = 0;

protected:
    int sync() override {
        ++syncs;
        return std::stringbuf::sync();
    }
};

}  // namespace

TEST(LogFileTest, BeforeAnyLogWritesGoNowhereAndAnAddedTypeWaitsForTheNextLog) {
    LogFile::writeln("x", type(1));
    LogFile::write(String("y"), type(0));
    LogFile::indent(3, type(0));
    LogFile::endl(type(0));
    LogFile::addType(type(4));
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::write("z", type(0));
        LogFile::writeln("four", type(4));
    }
    EXPECT_EQ(out.str(), "zfour\r\n");
}

TEST(LogFileTest, EveryWritingMemberProducesItsBytes) {
    struct Case {
        const char* what;
        void (*write)();
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"indent then writeln", [] { LogFile::indent(4, type(1)); LogFile::writeln("x", type(1)); },
         "    x\r\n"},
        {"write String", [] { LogFile::write(String("abc"), type(2)); }, "abc"},
        {"write char*", [] { LogFile::write("abc", type(2)); }, "abc"},
        {"writeln String", [] { LogFile::writeln(String("abc"), type(2)); }, "abc\r\n"},
        {"String up to its first NUL",
         [] { String s("a"); s += '\0'; s += 'b'; LogFile::writeln(s, type(1)); }, "a\r\n"},
        {"null text", [] { LogFile::write(static_cast<const char*>(nullptr), type(0));
                           LogFile::writeln(static_cast<const char*>(nullptr), type(0)); }, ""},
        {"endl", [] { LogFile::endl(type(1)); }, "\r\n"},
        {"indent 0", [] { LogFile::indent(0, type(1)); }, ""},
        {"indent 70", [] { LogFile::indent(70, type(1)); }, std::string(70, ' ')},
        {"filtered indent and endl", [] { LogFile::indent(5, type(9)); LogFile::endl(type(9)); }, ""},
        {"empty String", [] { LogFile::writeln(String(), type(1)); }, "\r\n"},
        {"type filter", [] {
             LogFile::writeln("one", type(1));
             LogFile::writeln("two", type(2));
             LogFile::writeln("three-before-add", type(3));
             LogFile::addType(type(3));
             LogFile::addType(type(3));  // a second add changes nothing
             LogFile::writeln("three", type(3));
             LogFile::removeType(type(3));
             LogFile::writeln("three-after-remove", type(3));
             LogFile::removeType(type(0));
             LogFile::writeln("zero", type(0));
             LogFile::removeType(type(1));
             LogFile::writeln("one-removed", type(1));
             LogFile::writeln("minus", type(-7));
         }, "one\r\ntwo\r\nthree\r\nzero\r\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        {
            LogFile log(out);
            c.write();
        }
        out << "|";  // the caller's stream stays open and usable
        EXPECT_EQ(out.str(), c.bytes + "|") << c.what;
    }
}

TEST(LogFileTest, OnlyEndlFlushes) {
    CountingBuffer buffer;
    std::ostream out(&buffer);
    LogFile log(out);
    LogFile::write("a", type(1));
    LogFile::writeln("b", type(1));
    LogFile::write(String("c"), type(1));
    LogFile::writeln(String("d"), type(1));
    LogFile::indent(2, type(1));
    EXPECT_EQ(buffer.syncs, 0);
    LogFile::endl(type(1));
    EXPECT_EQ(buffer.syncs, 1);
    LogFile::endl(type(5));  // filtered: no flush either
    EXPECT_EQ(buffer.syncs, 1);
    EXPECT_EQ(buffer.str(), "ab\r\ncd\r\n  \r\n");
}

TEST(LogFileTest, SecondLogFileWritesItsTextAndDestroyingItEndsTheLog) {
    std::ostringstream first;
    std::ostringstream second;
    LogFile log(first);
    EXPECT_EQ(first.str(), "");  // the first construction writes nothing
    LogFile::addType(type(3));
    // The text goes out with type 0, which no filter stops.
    LogFile::removeType(type(1));
    LogFile::removeType(type(2));
    {
        LogFile another(second);
        ScratchDirectory scratch;
        LogFile onFile(String(scratch.file("unused.log").c_str()));
        EXPECT_FALSE(std::filesystem::exists(scratch.file("unused.log")));
        LogFile::write("after", type(0));
    }
    // Destroying the later objects ended the log that `log` started.
    LogFile::writeln("dropped", type(0));
    EXPECT_EQ(first.str(),
              "Tried to instantiate another LogFile, one already exists !"
              "Tried to instantiate another LogFile, one already exists !after");
    EXPECT_EQ(second.str(), "");

    // A new log starts with types 1 and 2 only.
    std::ostringstream third;
    LogFile next(third);
    LogFile::writeln("one", type(1));
    LogFile::writeln("two", type(2));
    LogFile::writeln("three", type(3));
    EXPECT_EQ(third.str(), "one\r\ntwo\r\n");
}

TEST(LogFileTest, CopiesDoNothingButTheirDestructionEndsTheLog) {
    std::ostringstream out;
    LogFile log(out);
    {
        LogFile copy(log);
        LogFile assigned(out);  // "already exists"
        assigned = log;
        LogFile::write("in", type(1));
    }
    LogFile::write("out", type(0));
    EXPECT_EQ(out.str(), "Tried to instantiate another LogFile, one already exists !in");
}

TEST(LogFileTest, FileLogIsBinaryAndEmptiedOnOpening) {
    ScratchDirectory scratch;
    const std::string path = scratch.file("korvane.log");
    {
        std::ofstream old(path, std::ios::binary);
        old << "old contents that must go";
    }
    {
        LogFile log(String(path.c_str()));
        LogFile::writeln("first", type(1));
        LogFile::indent(2, type(2));
        LogFile::write(String("second"), type(2));
        LogFile::endl(type(2));
        // endl flushed: the bytes are in the file while the log is still open.
        EXPECT_EQ(fileBytes(path), "first\r\n  second\r\n");
        LogFile::write("tail", type(0));
    }
    EXPECT_EQ(fileBytes(path), "first\r\n  second\r\ntail");
}

TEST(LogFileTest, UnopenableFileLeavesLoggingOffAndALaterLogStarts) {
    ScratchDirectory scratch;
    const std::string missing = scratch.file("missing/dir/x.log");
    const std::string good = scratch.file("good.log");
    {
        LogFile failed(String(missing.c_str()));
        LogFile::writeln("nowhere", type(0));
        {
            // Were the failed log active, this would only write the
            // "already exists" text into it.
            LogFile log(String(good.c_str()));
            LogFile::writeln("somewhere", type(1));
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(fileBytes(good), "somewhere\r\n");
}

TEST(LogFileTest, ConcurrentWritersNeverInterleaveWithinALine) {
    constexpr int kThreads = 8;
    constexpr int kLines = 1000;
    std::ostringstream out;
    {
        LogFile log(out);
        std::vector<std::future<void>> writers;
        for (int t = 0; t < kThreads; ++t) {
            writers.push_back(std::async(std::launch::async, [t] {
                for (int i = 0; i < kLines; ++i) {
                    String line("thread ");
                    line += t;
                    line += " line ";
                    line += i;
                    // Alternate the String and char* paths.
                    if (i % 2 == 0)
                        LogFile::writeln(line, type(1));
                    else
                        LogFile::writeln(line.getData(), type(2));
                }
            }));
        }
        for (auto& writer : writers) awaitOrAbort(writer, "the log writers");
    }
    // Every line whole, each exactly once.
    std::vector<std::string> seen, expected;
    const std::string text = out.str();
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "unterminated tail at byte " << start;
        seen.push_back(text.substr(start, end - start));
    }
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kLines; ++i)
            expected.push_back("thread " + std::to_string(t) + " line " + std::to_string(i));
    std::sort(seen.begin(), seen.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seen.size(), expected.size());
    EXPECT_TRUE(seen == expected) << "lines lost, repeated or torn";
}
