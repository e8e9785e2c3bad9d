// The class constants are built when the library is loaded, before any
// static object of a program that uses it.
#include <gtest/gtest.h>

#include <sstream>

#include "korvane/ByteArray.h"
#include "korvane/LogFile.h"
#include "korvane/String.h"

using namespace Korvane;

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
