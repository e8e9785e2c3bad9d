// The trace file is named only by the first object of the process, so this
// runs in a forked child that starts with no trace file named.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeTestSupport.h"
#include "TraceSupport.h"
#include "korvane/Diagnostics.h"

using namespace Korvane;
using korvane_test::runScenarioAndExit;
using korvane_test::fileBytes;

namespace {

std::string firstObjectTracesToTraceLogInTheWorkingDirectory() {
    korvane_test::ScratchDirectory scratch;
    korvane_test::WorkingDirectory inScratch(scratch.path());
    {
        Diagnostics parse("parse");
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    const std::string text = fileBytes("trace.log");
    bool ok = false;
    const std::vector<korvane_test::TraceLine> lines = korvane_test::traceLines(text, ok);
    if (!ok || lines.size() != 1) return "trace.log holds [" + text + "]";
    if (lines[0].elapsed < 15) return "elapsed " + std::to_string(lines[0].elapsed) + " < 15";
    const std::string expected = "1. " + std::to_string(lines[0].elapsed) + " (milliseconds) for  parse\n";
    if (text != expected) return "trace.log holds [" + text + "], expected [" + expected + "]";

    // Once a file is named, later single-argument objects keep it.
    { Diagnostics switcher("switcher", "other.log"); }
    { Diagnostics later("later"); }
    const std::string other = fileBytes("other.log");
    if (other.find("for  switcher\n") == std::string::npos || other.find("for  later\n") == std::string::npos)
        return "other.log holds [" + other + "]";
    if (fileBytes("trace.log") != expected) return "trace.log changed after the switch";
    return "";
}


}  // namespace

TEST(TraceDefaultFileTest, FirstObjectTracesToTraceLogInTheWorkingDirectory) {
    EXPECT_EXIT(runScenarioAndExit(firstObjectTracesToTraceLogInTheWorkingDirectory),
                ::testing::ExitedWithCode(0), "");
}
