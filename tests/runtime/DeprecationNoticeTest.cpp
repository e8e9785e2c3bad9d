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

String withNul(char before, char after) {
    String text(before);
    text += '\0';
    text += after;
    return text;
}

// A scenario writes to a log on `out` (which it opens itself, so that it can
// act before any log exists) and returns a complaint about anything but the
// log's bytes, which must then be `log`.
struct Scenario {
    const char* name;
    std::string (*run)(std::ostream& out);
    std::string log;
};

const std::vector<Scenario> kScenarios = {
    {"the first String written to a log brings the notice",
     [](std::ostream& out) {
         LogFile log(out);
         LogFile::writeln(String("hello"), LogFile::LOG_ERROR);
         LogFile::writeln(String("again"), LogFile::LOG_ERROR);
         LogFile::write(String("end"), LogFile::LOG_NOTICE);
         return std::string();
     },
     kGetNotice + "hello\r\nagain\r\nend"},
    {"char texts do not use the notice",
     [](std::ostream& out) {
         LogFile log(out);
         LogFile::writeln("plain", LogFile::LOG_ERROR);
         LogFile::write(String("text"), LogFile::LOG_ERROR);
         return std::string();
     },
     "plain\r\n" + kGetNotice + "text"},
    // A String that no log takes is never converted, so the notice waits for
    // the first String that a log does take.
    {"dropped writes keep the notice pending",
     [](std::ostream& out) {
         LogFile::writeln(String("before any log"), LogFile::LOG_ALWAYS);
         LogFile::write(String("before any log"), LogFile::LOG_ALWAYS);
         LogFile log(out);
         LogFile::removeType(LogFile::LOG_NOTICE);
         LogFile::writeln(String("filtered"), LogFile::LOG_TYPE(7));
         LogFile::write(String("filtered"), LogFile::LOG_TYPE(7));
         LogFile::addType(LogFile::LOG_NOTICE);
         LogFile::writeln(String("passed"), LogFile::LOG_ERROR);
         return std::string();
     },
     kGetNotice + "passed\r\n"},
    {"getASCIIByteArray writes its notice once",
     [](std::ostream& out) {
         LogFile log(out);
         const String text = withNul('a', 'b');
         const ByteArray first = text.getASCIIByteArray();
         const ByteArray second = text.getASCIIByteArray();
         if (bytesOf(first) != std::string("a\0b", 3) || bytesOf(second) != bytesOf(first))
             return std::string("getASCIIByteArray gave the wrong bytes");
         return std::string();
     },
     kGetNotice},
    {"the notice is lost when no log is active",
     [](std::ostream& out) {
         (void)String("early").getASCIIByteArray();
         LogFile log(out);
         (void)String("later").getASCIIByteArray();
         LogFile::writeln(String("text"), LogFile::LOG_ERROR);
         return std::string();
     },
     "text\r\n"},
    {"ByteArray(String) writes the notice",
     [](std::ostream& out) {
         LogFile log(out);
         const ByteArray first(withNul('x', 'y'));
         const ByteArray second(String("z"));
         if (bytesOf(first) != std::string("x\0y", 3) || bytesOf(second) != "z")
             return "ByteArray(String) gave [" + bytesOf(first) + "] and [" + bytesOf(second) + "]";
         return std::string();
     },
     kGetNotice},
    // The fromASCII notice is itself a String written to the log, so the
    // still pending conversion notice goes out in front of it.
    {"fromASCII writes both notices once",
     [](std::ostream& out) {
         LogFile log(out);
         String target("old");
         const String& result = target.fromASCII(ByteArray("ab\0cd", 5u));
         if (&result != &target) return std::string("fromASCII did not return *this");
         if (textOf(target) != "ab") return "fromASCII gave [" + textOf(target) + "]";
         target.fromASCII(ByteArray("xyz"));
         if (textOf(target) != "xyz") return "second fromASCII gave [" + textOf(target) + "]";
         return std::string();
     },
     kGetNotice + kFromNotice},
    {"fromASCII after the conversion notice writes only its own",
     [](std::ostream& out) {
         LogFile log(out);
         LogFile::write(String("first "), LogFile::LOG_ERROR);
         String target;
         target.fromASCII(ByteArray("q"));
         return std::string();
     },
     kGetNotice + "first " + kFromNotice},
    {"the notice is dropped while its type is disabled",
     [](std::ostream& out) {
         LogFile log(out);
         LogFile::removeType(LogFile::LOG_NOTICE);
         LogFile::writeln(String("one"), LogFile::LOG_ERROR);
         LogFile::addType(LogFile::LOG_NOTICE);
         LogFile::writeln(String("two"), LogFile::LOG_ERROR);
         return std::string();
     },
     "one\r\ntwo\r\n"},
    {"racing first calls write one notice",
     [](std::ostream& out) {
         LogFile log(out);
         std::vector<std::future<void>> callers;
         for (int t = 0; t < 8; ++t)
             callers.push_back(std::async(std::launch::async, [] {
                 for (int i = 0; i < 50; ++i) (void)String("race").getASCIIByteArray();
             }));
         for (auto& caller : callers) korvane_test::awaitOrAbort(caller, "the converting threads");
         return std::string();
     },
     kGetNotice},
};

}  // namespace

TEST(DeprecationNoticeTest, EachScenarioInAProcessOfItsOwn) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        EXPECT_EXIT(korvane_test::runScenarioAndExit([&scenario] {
                        std::ostringstream out;
                        const std::string complaint = scenario.run(out);
                        if (!complaint.empty() || out.str() == scenario.log) return complaint;
                        return "log was [" + out.str() + "]\nexpected [" + scenario.log + "]";
                    }),
                    ::testing::ExitedWithCode(0), "");
    }
}
