// Trace lines checked byte for byte except the elapsed figure, each test in
// a fresh working directory. A two-argument constructor names the file and
// resets the level; the starter's own line comes last, when it goes, so the
// tests read the file before that.

#include <chrono>
#include <thread>

#include "RuntimeTestSupport.h"
#include "korvane/Diagnostics.h"

using namespace Korvane;
using namespace korvane_test;

namespace {

std::string trace(const char* file = "trace.log") { return withoutElapsed(fileBytes(file)); }

std::string line(const std::string& indent, int level, const std::string& name) {
    return indent + std::to_string(level) + ". # (milliseconds) for  " + name + kTextLineEnd;
}

}  // namespace

TEST(DiagnosticsTest, LinesNestingAndEndTrace) {
    korvane_test::ScratchDirectory scratch(true);
    long elapsed = -1;
    {
        Diagnostics outer("outer", "trace.log");
        const Diagnostics::symptoms savedOuter = outer.nested();
        {
            Diagnostics middle("middle");
            const Diagnostics::symptoms savedMiddle = middle.nested();
            {
                Diagnostics inner("inner");
                std::this_thread::sleep_for(std::chrono::milliseconds(15));
            }
            EXPECT_EQ(withoutElapsed(fileBytes("trace.log"), &elapsed), line("    ", 3, "inner"));
            middle.refresh(savedMiddle);
        }
        {
            Diagnostics twice("twice");  // each endTrace writes, the destructor no more
            twice.endTrace();
            twice.endTrace();
        }
        outer.refresh(savedOuter);
        outer.endTrace();
    }
    EXPECT_GE(elapsed, 15);
    EXPECT_EQ(trace(), line("    ", 3, "inner") + line("  ", 2, "middle") + line("  ", 2, "twice") +
                           line("  ", 2, "twice") + line("", 1, "outer"));
}

// A two-argument constructor switches the file of every object and resets
// the level; a file that cannot be opened loses the writes silently.
TEST(DiagnosticsTest, TwoArgumentConstructorSwitchesTheFileOfEveryObject) {
    korvane_test::ScratchDirectory scratch(true);
    {
        Diagnostics first("first", "first.log");
        Diagnostics earlier("earlier");
        (void)first.nested();
        { Diagnostics switcher("switcher", "other.log"); }
        earlier.endTrace();
        first.endTrace();
        Diagnostics lost("lost", "missing/dir/trace.log");
        lost.startTime();
        lost.addedInfo(ByteArray("info"));
    }
    EXPECT_EQ(trace("other.log"), line("", 1, "switcher") + line("", 1, "earlier") + line("", 1, "first"));
    EXPECT_FALSE(std::filesystem::exists("first.log") || std::filesystem::exists("missing"));
}

TEST(DiagnosticsTest, RefreshStartTimeAddedInfoAndCopies) {
    korvane_test::ScratchDirectory scratch(true);
    Diagnostics traced(ByteArray("t\0d", 3u), "trace.log");
    Diagnostics::symptoms saved = traced.nested();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.fileName.getData())), "trace.log");
    traced.refresh(saved);
    traced.startTime();
    traced.addedInfo(ByteArray("x\0y", 3u));  // no line end
    traced.endTrace();
    EXPECT_EQ(trace(), std::to_string(saved.start) + kTextLineEnd + std::string("x\0y", 3) +
                           line("", 1, std::string("t\0d", 3)));
    // refresh takes the start, the name and the file.
    Diagnostics second("second", "trace.log");
    saved = second.nested();
    saved.start -= 5000;
    saved.name = ByteArray("renamed");
    saved.fileName = ByteArray("elsewhere.log");
    second.refresh(saved);
    second.endTrace();
    long elapsed = -1;
    EXPECT_EQ(withoutElapsed(fileBytes("elsewhere.log"), &elapsed), line("", 1, "renamed"));
    EXPECT_GE(elapsed, 5000);
    // Copies carry start, name and whether the trace ended.
    Diagnostics starter("starter", "copies.log");
    {
        Diagnostics ended("ended");
        ended.endTrace();
        Diagnostics endedCopy(ended), running("running"), runningCopy(running), assigned("assigned");
        assigned = running;
    }
    EXPECT_EQ(trace("copies.log"), line("", 1, "ended") + line("", 1, "running") +
                                       line("", 1, "running") + line("", 1, "running"));
}
