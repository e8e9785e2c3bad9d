// State that changes once per process (the deprecation notices, the first
// naming of the trace file): every scenario runs in a death-test
// child process of its own, which starts with that state untouched.

#include <future>
#include <sstream>
#include <vector>

#include "RuntimeTestSupport.h"
#include "korvane/Diagnostics.h"
#include "korvane/LogFile.h"

using namespace Korvane;
using korvane_test::runScenarioAndExit;

namespace {

const std::string kGet =
    "String::getASCIIByteArray() has been deprecated, please use Please use "
    "String::toASCIIByteArray() instead.\r\n";
const std::string kFrom =
    "String::fromASCII() has been deprecated, please use Please use the static method "
    "String::fromASCIIByteArray() instead.\r\n";



// A scenario opens a log on `out` itself (so it can act before any log
// exists) and returns a complaint about anything but the log's bytes, which
// must then be `log`.
struct Scenario { const char* name; std::string (*run)(std::ostream& out); std::string log; };

const std::vector<Scenario> kScenarios = {
    // A String that no log takes is never converted, so the notice waits for
    // the first String a log writes; char texts bring none.
    {"the first String written to a log brings the notice, once",
     [](std::ostream& out) {
         LogFile::writeln(String("before any log"), LogFile::LOG_ALWAYS);
         LogFile log(out);
         LogFile::writeln("plain", LogFile::LOG_ERROR);
         LogFile::write(String("filtered"), LogFile::LOG_TYPE(7));
         LogFile::writeln(String("passed"), LogFile::LOG_ERROR);
         LogFile::write(String("end"), LogFile::LOG_NOTICE);
         return std::string();
     },
     "plain\r\n" + kGet + "passed\r\nend"},
    // The fromASCII notice is itself a String written to the log, so the
    // pending conversion notice goes out in front of it.
    {"fromASCII, getASCIIByteArray and ByteArray(String) write each notice once",
     [](std::ostream& out) {
         LogFile log(out);
         String target("old");
         if (&target.fromASCII(ByteArray("ab\0cd", 5u)) != &target) return std::string("not *this");
         if (std::string(target.getData(), target.length()) != "ab") return std::string("not ab");
         target.fromASCII(ByteArray("xyz"));
         const std::string first = korvane_test::bytes(korvane_test::makeString(std::string("a\0b", 3)).getASCIIByteArray());
         const std::string second = korvane_test::bytes(ByteArray(korvane_test::makeString(std::string("a\0b", 3))));
         if (first != std::string("a\0b", 3) || second != first) return "gave [" + first + "] [" + second + "]";
         return std::string(target.getData(), target.length()) == "xyz" ? std::string() : std::string("not xyz");
     },
     kGet + kFrom},
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
     kGet},
};

}  // namespace

TEST(DeprecationNoticeTest, EachScenarioInAProcessOfItsOwn) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        EXPECT_EXIT(runScenarioAndExit([&scenario] {
                        std::ostringstream out;
                        const std::string complaint = scenario.run(out);
                        if (!complaint.empty() || out.str() == scenario.log) return complaint;
                        return "log was [" + out.str() + "]\nexpected [" + scenario.log + "]";
                    }),
                    ::testing::ExitedWithCode(0), "");
    }
}

// The first object of the process traces to "trace.log" in the working
// directory; once a file is named, later single-argument objects keep it.
TEST(TraceDefaultFileTest, FirstObjectTracesToTraceLogInTheWorkingDirectory) {
    EXPECT_EXIT(runScenarioAndExit([]() -> std::string {
                    korvane_test::ScratchDirectory scratch(true);
                    { Diagnostics parse("parse"); }
                    { Diagnostics switcher("switcher", "other.log"); }
                    { Diagnostics later("later"); }
                    const std::string line = " # (milliseconds) for  ";
                    const std::string trace = korvane_test::withoutElapsed(korvane_test::fileBytes("trace.log")),
                                      other = korvane_test::withoutElapsed(korvane_test::fileBytes("other.log"));
                    const std::string end = korvane_test::kTextLineEnd;
                    if (trace + other == "1." + line + "parse" + end + "1." + line + "switcher" + end + "1." + line + "later" + end)
                        return "";
                    return "trace.log holds [" + trace + "], other.log [" + other + "]";
                }),
                ::testing::ExitedWithCode(0), "");
}
