#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeTestSupport.h"
#include "TraceSupport.h"
#include "korvane/Diagnostics.h"

using namespace Korvane;
using korvane_test::fileBytes;
using korvane_test::ScratchDirectory;
using korvane_test::TraceLine;
using korvane_test::traceLines;
using korvane_test::WorkingDirectory;

namespace {

// Every test runs in a fresh working directory and starts a top-level trace
// in "trace.log" there (the two-argument constructor also sets the level to
// 0, whatever earlier tests left). The starter's own line is written last,
// when it goes, so the tests read the file before that.
class DiagnosticsTest : public ::testing::Test {
protected:
    ScratchDirectory scratch;
    WorkingDirectory inScratch{scratch.path()};

    std::string trace(const char* file = "trace.log") { return fileBytes(file); }

    std::vector<TraceLine> lines(const char* file = "trace.log") {
        bool ok = false;
        std::vector<TraceLine> parsed = traceLines(trace(file), ok);
        EXPECT_TRUE(ok) << "malformed trace file:\n" << trace(file);
        return parsed;
    }

    // One "<indentation><level> <name>" line per trace line.
    std::string summary(const char* file = "trace.log") {
        std::string text;
        for (const TraceLine& l : lines(file))
            text += l.indentation + std::to_string(l.level) + " " + l.name + "\n";
        return text;
    }
};

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace

TEST_F(DiagnosticsTest, LineFormatAndElapsedTime) {
    {
        Diagnostics start("start", "trace.log");
        start.endTrace();
    }
    {
        Diagnostics parse("parse");
        pause(15);
    }
    const std::vector<TraceLine> written = lines();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].indentation, "");
    EXPECT_EQ(written[1].level, 1);
    EXPECT_EQ(written[1].name, "parse");
    EXPECT_GE(written[1].elapsed, 15);  // lines() checked every other byte
}

TEST_F(DiagnosticsTest, EndTraceThenDestructionWritesOneLineAndEachEndTraceWritesOne) {
    Diagnostics starter("starter", "trace.log");
    {
        Diagnostics once("once");
        once.endTrace();
    }
    {
        Diagnostics twice("twice");
        twice.endTrace();
        twice.endTrace();
    }
    EXPECT_EQ(summary(), "1 once\n1 twice\n1 twice\n");
}

TEST_F(DiagnosticsTest, NestedLinesAreIndentedAndNumberedByDepth) {
    Diagnostics outer("outer", "trace.log");
    const Diagnostics::symptoms savedOuter = outer.nested();
    {
        Diagnostics middle("middle");
        const Diagnostics::symptoms savedMiddle = middle.nested();
        { Diagnostics inner("inner"); }
        middle.refresh(savedMiddle);
    }
    { Diagnostics sibling("sibling"); }
    outer.refresh(savedOuter);
    outer.endTrace();
    EXPECT_EQ(summary(), "    3 inner\n  2 middle\n  2 sibling\n1 outer\n");
}

TEST_F(DiagnosticsTest, TwoArgumentConstructorSwitchesTheFileOfEveryObjectAndResetsTheLevel) {
    Diagnostics first("first", "first.log");
    Diagnostics earlier("earlier");
    (void)first.nested();  // level 1 in first.log
    {
        Diagnostics switcher("switcher", "other.log");
        switcher.endTrace();
    }
    earlier.endTrace();
    first.endTrace();
    EXPECT_FALSE(std::filesystem::exists("first.log"));
    // The switch reset the level.
    EXPECT_EQ(summary("other.log"), "1 switcher\n1 earlier\n1 first\n");
}

TEST_F(DiagnosticsTest, RefreshRestoresStartNameAndFile) {
    Diagnostics traced("traced", "trace.log");
    Diagnostics::symptoms saved = traced.nested();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.fileName.getData())), "trace.log");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.name.getData())), "traced");
    saved.start -= 5000;  // as if the stretch had begun five seconds earlier
    saved.name = ByteArray("renamed");
    saved.fileName = ByteArray("elsewhere.log");
    traced.refresh(saved);
    traced.endTrace();
    const std::vector<TraceLine> written = lines("elsewhere.log");
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, "renamed");
    EXPECT_EQ(written[0].level, 1);
    EXPECT_GE(written[0].elapsed, 5000);
    EXPECT_FALSE(std::filesystem::exists("trace.log"));
}

TEST_F(DiagnosticsTest, StartTimeWritesTheStartReading) {
    Diagnostics traced("traced", "trace.log");
    const Diagnostics::symptoms saved = traced.nested();
    traced.refresh(saved);
    traced.startTime();
    EXPECT_EQ(trace(), std::to_string(saved.start) + "\n");
}

TEST_F(DiagnosticsTest, AddedInfoHasNoLineEndAndInfoAndNamesKeepEveryByte) {
    Diagnostics traced(ByteArray("t\0d", 3u), "trace.log");
    traced.addedInfo(ByteArray("abc"));
    traced.addedInfo(ByteArray("x\0y", 3u));
    traced.endTrace();
    const std::string text = trace();
    const std::string prefix = std::string("abcx\0y", 6);
    ASSERT_EQ(text.compare(0, prefix.size(), prefix), 0) << text;
    bool ok = false;
    const std::vector<TraceLine> written = traceLines(text.substr(prefix.size()), ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, std::string("t\0d", 3));
}

TEST_F(DiagnosticsTest, CopiesCarryStartNameAndEnded) {
    Diagnostics starter("starter", "trace.log");
    {
        Diagnostics ended("ended");
        ended.endTrace();
        Diagnostics endedCopy(ended);  // ended already: writes nothing
        Diagnostics running("running");
        Diagnostics runningCopy(running);
        Diagnostics assigned("assigned");
        assigned = running;  // now named "running" too
    }
    EXPECT_EQ(summary(), "1 ended\n1 running\n1 running\n1 running\n");
}

TEST_F(DiagnosticsTest, UnopenableTraceFileLosesWritesSilently) {
    {
        Diagnostics lost("lost", "missing/dir/trace.log");
        lost.startTime();
        lost.addedInfo(ByteArray("info"));
        lost.endTrace();
    }
    EXPECT_FALSE(std::filesystem::exists("missing"));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST_F(DiagnosticsTest, LinesFromManyThreadsStayWhole) {
    constexpr int kThreads = 8;
    constexpr int kLines = 100;
    Diagnostics starter("starter", "trace.log");
    std::vector<std::future<void>> tracers;
    for (int t = 0; t < kThreads; ++t) {
        tracers.push_back(std::async(std::launch::async, [t] {
            for (int i = 0; i < kLines; ++i) {
                Diagnostics stretch(ByteArray(("thread " + std::to_string(t)).c_str()));
                if (i % 10 == 0) stretch.addedInfo(ByteArray(""));
            }
        }));
    }
    for (auto& tracer : tracers) korvane_test::awaitOrAbort(tracer, "the tracing threads");
    const std::vector<TraceLine> written = lines();
    ASSERT_EQ(written.size(), std::size_t(kThreads * kLines));
    std::map<std::string, int> perThread;
    for (const TraceLine& line : written) {
        EXPECT_EQ(line.level, 1);
        ++perThread[line.name];
    }
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(perThread["thread " + std::to_string(t)], kLines);
}
