// The deprecation notices are written at most once per process, so every
// scenario here runs in a child process of its own (a forked death-test
// child), starting with both notices still pending.
#include <gtest/gtest.h>

#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "RuntimeTestSupport.h"
#include "korvane/ByteArray.h"
#include "korvane/LogFile.h"
#include "korvane/String.h"

using namespace Korvane;
using korvane_test::runScenarioAndExit;

namespace {

const std::string kGetNotice =
    "String::getASCIIByteArray() has been deprecated, please use Please use "
    "String::toASCIIByteArray() instead.\r\n";
const std::string kFromNotice =
    "String::fromASCII() has been deprecated, please use Please use the static method "
    "String::fromASCIIByteArray() instead.\r\n";

std::string bytesOf(const ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}

std::string textOf(const String& s) { return std::string(s.getData(), s.length()); }


std::string expectLog(const std::string& actual, const std::string& expected) {
    if (actual == expected) return "";
    return "log was [" + actual + "]\nexpected [" + expected + "]";
}

std::string firstStringWrittenToALogBringsTheNotice() {
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::writeln(String("hello"), LogFile::LOG_ERROR);
        LogFile::writeln(String("again"), LogFile::LOG_ERROR);
        LogFile::write(String("end"), LogFile::LOG_NOTICE);
    }
    return expectLog(out.str(), kGetNotice + "hello\r\nagain\r\nend");
}

std::string charTextsDoNotUseTheNotice() {
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::writeln("plain", LogFile::LOG_ERROR);
        LogFile::write(String("text"), LogFile::LOG_ERROR);
    }
    return expectLog(out.str(), "plain\r\n" + kGetNotice + "text");
}

std::string droppedWritesKeepTheNoticePending() {
    // A String that no log takes is never converted, so the notice waits for
    // the first String that a log does take.
    LogFile::writeln(String("before any log"), LogFile::LOG_ALWAYS);
    LogFile::write(String("before any log"), LogFile::LOG_ALWAYS);
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::removeType(LogFile::LOG_NOTICE);
        LogFile::writeln(String("filtered"), LogFile::LOG_TYPE(7));
        LogFile::write(String("filtered"), LogFile::LOG_TYPE(7));
        LogFile::addType(LogFile::LOG_NOTICE);
        LogFile::writeln(String("passed"), LogFile::LOG_ERROR);
    }
    return expectLog(out.str(), kGetNotice + "passed\r\n");
}

std::string getASCIIByteArrayWritesItsNoticeOnce() {
    std::ostringstream out;
    String text("a");
    text += '\0';
    text += 'b';
    {
        LogFile log(out);
        const ByteArray first = text.getASCIIByteArray();
        const ByteArray second = text.getASCIIByteArray();
        if (bytesOf(first) != std::string("a\0b", 3) || bytesOf(second) != bytesOf(first))
            return "getASCIIByteArray gave the wrong bytes";
    }
    return expectLog(out.str(), kGetNotice);
}

std::string noticeLostWhenNoLogIsActive() {
    (void)String("early").getASCIIByteArray();
    std::ostringstream out;
    {
        LogFile log(out);
        (void)String("later").getASCIIByteArray();
        LogFile::writeln(String("text"), LogFile::LOG_ERROR);
    }
    return expectLog(out.str(), "text\r\n");
}

std::string byteArrayFromStringWritesTheNotice() {
    std::ostringstream out;
    String text("x");
    text += '\0';
    text += 'y';
    {
        LogFile log(out);
        const ByteArray first(text);
        const ByteArray second(String("z"));
        if (bytesOf(first) != std::string("x\0y", 3)) return "ByteArray(String) lost bytes";
        if (bytesOf(second) != "z") return "ByteArray(String) gave the wrong bytes";
    }
    return expectLog(out.str(), kGetNotice);
}

std::string fromASCIIWritesBothNoticesOnce() {
    // The fromASCII notice is itself a String written to the log, so the
    // still pending conversion notice goes out in front of it.
    std::ostringstream out;
    {
        LogFile log(out);
        String target("old");
        const String& result = target.fromASCII(ByteArray("ab\0cd", 5u));
        if (&result != &target) return "fromASCII did not return *this";
        if (textOf(target) != "ab") return "fromASCII gave [" + textOf(target) + "]";
        target.fromASCII(ByteArray("xyz"));
        if (textOf(target) != "xyz") return "second fromASCII gave [" + textOf(target) + "]";
    }
    return expectLog(out.str(), kGetNotice + kFromNotice);
}

std::string fromASCIIAfterTheConversionNoticeWritesOnlyItsOwn() {
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::write(String("first "), LogFile::LOG_ERROR);
        String target;
        target.fromASCII(ByteArray("q"));
    }
    return expectLog(out.str(), kGetNotice + "first " + kFromNotice);
}

std::string noticeDroppedWhenItsTypeIsDisabled() {
    std::ostringstream out;
    {
        LogFile log(out);
        LogFile::removeType(LogFile::LOG_NOTICE);
        LogFile::writeln(String("one"), LogFile::LOG_ERROR);
        LogFile::addType(LogFile::LOG_NOTICE);
        LogFile::writeln(String("two"), LogFile::LOG_ERROR);
    }
    return expectLog(out.str(), "one\r\ntwo\r\n");
}

std::string racingFirstCallsWriteOneNotice() {
    std::ostringstream out;
    {
        LogFile log(out);
        std::vector<std::future<void>> callers;
        for (int t = 0; t < 8; ++t)
            callers.push_back(std::async(std::launch::async, [] {
                for (int i = 0; i < 50; ++i) (void)String("race").getASCIIByteArray();
            }));
        for (auto& caller : callers) korvane_test::awaitOrAbort(caller, "the converting threads");
    }
    return expectLog(out.str(), kGetNotice);
}

}  // namespace

TEST(DeprecationNoticeTest, FirstStringWrittenToALogBringsTheNotice) {
    EXPECT_EXIT(runScenarioAndExit(firstStringWrittenToALogBringsTheNotice),
                ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, CharTextsDoNotUseTheNotice) {
    EXPECT_EXIT(runScenarioAndExit(charTextsDoNotUseTheNotice), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, DroppedWritesKeepTheNoticePending) {
    EXPECT_EXIT(runScenarioAndExit(droppedWritesKeepTheNoticePending), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, GetASCIIByteArrayWritesItsNoticeOnce) {
    EXPECT_EXIT(runScenarioAndExit(getASCIIByteArrayWritesItsNoticeOnce), ::testing::ExitedWithCode(0),
                "");
}

TEST(DeprecationNoticeTest, NoticeLostWhenNoLogIsActive) {
    EXPECT_EXIT(runScenarioAndExit(noticeLostWhenNoLogIsActive), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, ByteArrayFromStringWritesTheNotice) {
    EXPECT_EXIT(runScenarioAndExit(byteArrayFromStringWritesTheNotice), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, FromASCIIWritesBothNoticesOnce) {
    EXPECT_EXIT(runScenarioAndExit(fromASCIIWritesBothNoticesOnce), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, FromASCIIAfterTheConversionNoticeWritesOnlyItsOwn) {
    EXPECT_EXIT(runScenarioAndExit(fromASCIIAfterTheConversionNoticeWritesOnlyItsOwn),
                ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, NoticeDroppedWhenItsTypeIsDisabled) {
    EXPECT_EXIT(runScenarioAndExit(noticeDroppedWhenItsTypeIsDisabled), ::testing::ExitedWithCode(0), "");
}

TEST(DeprecationNoticeTest, RacingFirstCallsWriteOneNotice) {
    EXPECT_EXIT(runScenarioAndExit(racingFirstCallsWriteOneNotice), ::testing::ExitedWithCode(0), "");
}
