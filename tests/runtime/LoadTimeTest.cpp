// The class constants are built when the library is loaded, before any
// static object of a program that uses it.
#include <gtest/gtest.h>

#include <sstream>

#include "korvane/ByteArray.h"
#include "korvane/LogFile.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

struct SeenAtProgramStart {
    SeenAtProgramStart() {
        emptyStringLength = String::emptyString.length();
        emptyStringTerminated = String::emptyString.getData() != nullptr &&
                                String::emptyString.getData()[0] == '\0';
        emptyArrayLength = ByteArray::emptyArray.length();
        // The log's state is built and inactive: writing goes nowhere, and a
        // log can be switched on and off.
        LogFile::writeln("dropped", LogFile::LOG_ALWAYS);
        std::ostringstream out;
        {
            LogFile log(out);
            LogFile::write("kept", LogFile::LOG_ALWAYS);
        }
        logText = out.str();
    }
    unsigned int emptyStringLength = 99;
    bool emptyStringTerminated = false;
    unsigned int emptyArrayLength = 99;
    std::string logText;
};

const SeenAtProgramStart seen;

}  // namespace

TEST(LoadTimeTest, ClassConstantsAreReadyBeforeTheProgramsStatics) {
    EXPECT_EQ(seen.emptyStringLength, 0u);
    EXPECT_TRUE(seen.emptyStringTerminated);
    EXPECT_EQ(seen.emptyArrayLength, 0u);
    EXPECT_EQ(seen.logText, "kept");
}
