// The process-wide log, its bytes read back exactly through a caller's
// std::ostringstream or a file in a fresh directory.
//
// The class constants are built when the library is loaded, before any
// static object of a program that uses it.
#include <gtest/gtest.h>

#include <sstream>

#include "RuntimeTestSupport.h"
#include "korvane/LogFile.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

// The deprecation notice before the first String written to a log belongs to
// the notice tests; it is used up before any log exists.
class UseUpTheConversionNotice : public ::testing::Environment {
public:
    void SetUp() override { (void)String("x").getASCIIByteArray(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new UseUpTheConversionNotice);

LogFile::LOG_TYPE type(int n) { return LogFile::LOG_TYPE(n); }

const char* const kAnother = "Tried to instantiate another LogFile, one already exists !";

// A string buffer that counts how often its stream is flushed.
class CountingBuffer : public std::stringbuf {
public:
    int syncs = 0;

protected:
    int sync() override { return ++syncs, std::stringbuf::sync(); }
};

}  // namespace

TEST(LogFileTest, WritingMembersTypesAndFlushes) {
    // Before any log, writes go nowhere; an added type waits for the next log.
    LogFile::writeln("x", type(1));
    LogFile::addType(type(4));
    CountingBuffer buffer;
    std::ostream out(&buffer);
    {
        LogFile log(out);
        LogFile::indent(4, type(1));
        LogFile::writeln("x", type(1));
        LogFile::write(String("abc"), type(2));
        LogFile::writeln(korvane_test::makeString(std::string("a\0b", 3)), type(2));  // up to the first NUL
        LogFile::write(static_cast<const char*>(nullptr), type(0));
        LogFile::indent(5, type(9));
        LogFile::endl(type(9));  // filtered: no flush either
        LogFile::writeln("three-before-add", type(3));
        LogFile::addType(type(3));
        LogFile::writeln("three", type(3));
        LogFile::removeType(type(3));
        LogFile::writeln("three-after-remove", type(3));
        LogFile::removeType(type(0));
        LogFile::writeln("zero", type(0));
        LogFile::removeType(type(1));
        LogFile::writeln("one-removed", type(1));
        EXPECT_EQ(buffer.syncs, 0);
        LogFile::endl(type(2));
        EXPECT_EQ(buffer.syncs, 1);
    }
    out << "|";  // the caller's stream stays open and usable
    EXPECT_EQ(buffer.str(), "    x\r\nabca\r\nthree\r\nzero\r\n\r\n|");
}

// A second log writes its complaint to the first; destroying any ends the
// log, and a new one starts with types 1 and 2 only. A file log is binary
// and emptied; one that cannot be opened leaves logging off.
TEST(LogFileTest, SecondLogsFileLogsAndTheirEnd) {
    std::ostringstream first, second;
    LogFile log(first);
    LogFile::addType(type(3));
    ScratchDirectory scratch;
    {
        LogFile another(second);
        LogFile onFile(String(scratch.file("unused.log").c_str()));
        EXPECT_FALSE(std::filesystem::exists(scratch.file("unused.log")));
        LogFile copy(log);
        copy = another;
        LogFile::write("after", type(0));
    }
    LogFile::writeln("dropped", type(0));
    EXPECT_EQ(first.str(), std::string(kAnother) + kAnother + "after");
    EXPECT_EQ(second.str(), "");
    const std::string path = scratch.file("korvane.log");
    std::ofstream(path, std::ios::binary) << "old contents that must go";
    {
        LogFile failed(String(scratch.file("missing/dir/x.log").c_str()));
        LogFile::writeln("nowhere", type(0));
        LogFile onFile(String(path.c_str()));  // not "already exists": the failed log is off
        LogFile::writeln("one", type(1));
        LogFile::writeln("three", type(3));
        LogFile::endl(type(2));
        EXPECT_EQ(fileBytes(path), "one\r\n\r\n");  // endl flushed
        LogFile::write("tail", type(0));
    }
    EXPECT_EQ(fileBytes(path), "one\r\n\r\ntail");
    EXPECT_FALSE(std::filesystem::exists(scratch.file("missing")));
}

namespace {

// What a static object of this program sees: the empty constants, and the
// log's state built and inactive (writing goes nowhere, a log switches on).
std::string seenAtProgramStart() {
    std::string seen = std::to_string(String::emptyString.length()) + "|" +
                       String::emptyString.getData() + "|" +
                       std::to_string(ByteArray::emptyArray.length()) + "|";
    LogFile::writeln("dropped", LogFile::LOG_ALWAYS);
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::write("kept", LogFile::LOG_ALWAYS);
    }
    return seen + out.str();
}

const std::string kSeen = seenAtProgramStart();

}  // namespace

TEST(LoadTimeTest, ClassConstantsAreReadyBeforeTheProgramsStatics) { EXPECT_EQ(kSeen, "0||0|kept"); }
