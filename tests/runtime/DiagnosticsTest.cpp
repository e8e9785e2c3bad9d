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
    EXPECT_GE(written[1].elapsed, 15);
    // Exact bytes apart from the elapsed figure.
    const std::string text = trace();
    const std::string second = text.substr(text.find('\n') + 1);
    EXPECT_EQ(second, "1. " + std::to_string(written[1].elapsed) + " (milliseconds) for  parse\n");
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
    const std::vector<TraceLine> written = lines();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0].name, "once");
    EXPECT_EQ(written[1].name, "twice");
    EXPECT_EQ(written[2].name, "twice");
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
    const std::string text = trace();
    const std::vector<TraceLine> written = lines();
    ASSERT_EQ(written.size(), 4u) << text;
    const struct {
        const char* indentation;
        int level;
        const char* name;
    } expected[] = {{"    ", 3, "inner"}, {"  ", 2, "middle"}, {"  ", 2, "sibling"}, {"", 1, "outer"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(written[i].indentation, expected[i].indentation) << i;
        EXPECT_EQ(written[i].level, expected[i].level) << i;
        EXPECT_EQ(written[i].name, expected[i].name) << i;
    }
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
    const std::vector<TraceLine> written = lines("other.log");
    ASSERT_EQ(written.size(), 3u);
    for (const TraceLine& line : written) {
        EXPECT_EQ(line.level, 1) << line.name;  // the switch reset the level
        EXPECT_EQ(line.indentation, "") << line.name;
    }
    EXPECT_EQ(written[0].name, "switcher");
    EXPECT_EQ(written[1].name, "earlier");
    EXPECT_EQ(written[2].name, "first");
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

TEST_F(DiagnosticsTest, AddedInfoHasNoLineEndAndKeepsEveryByte) {
    Diagnostics traced("traced", "trace.log");
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
    EXPECT_EQ(written[0].name, "traced");
}

TEST_F(DiagnosticsTest, NamesKeepEveryByte) {
    Diagnostics starter("starter", "trace.log");
    { Diagnostics named(ByteArray("a\0b", 3u)); }
    EXPECT_EQ(trace().substr(trace().find(" for  ")), std::string(" for  a\0b\n", 10));
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
    const std::vector<TraceLine> written = lines();
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0].name, "ended");
    for (int i = 1; i < 4; ++i) EXPECT_EQ(written[i].name, "running") << i;
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
