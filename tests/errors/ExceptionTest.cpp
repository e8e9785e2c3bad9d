#include <gtest/gtest.h>

#include "korvane/IOException.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {
std::string str(const String& s) { return std::string(s.getData(), s.length()); }
}  // namespace

TEST(ExceptionTest, StackedEntriesAccessorsAndIdentity) {
    QuillonException first(21, "a()", String("one"));
    QuillonException second(4, "b()", first, String("two"));
    IOException third(Exception::LIB_QUILLON, 33, "c()", second, String("three"));
    Exception top(Exception::LIB_SSL, 15, "d()", third, String("four"));
    ASSERT_EQ(top.getErrorStackSize(), 4u);
    EXPECT_EQ(str(top.getErrLocation(0)), "a()");
    EXPECT_EQ(str(top.getExtraInfo(2)), "three");
    EXPECT_EQ(top.getLib(3), Exception::LIB_SSL);
    EXPECT_EQ(top.getErrnoVector(), (std::vector<unsigned int>{21, 4, 33, 15}));
    EXPECT_EQ(QuillonException(QuillonError::ParameterIsNull, "f()", "").getErrNo(0), 4);
    EXPECT_EQ(IOException(QuillonError::FilePathNotFound, "g()", "").getLib(0), Exception::LIB_QUILLON);
    // Out of range: sentinels, not errors.
    EXPECT_EQ(top.getErrNo(4), -1);
    EXPECT_EQ(static_cast<int>(top.getLib(4)), -1);
    EXPECT_EQ(&top.getErrLocation(5), &String::emptyString);
    // Identity: -2 for QuillonException, -1 otherwise and not taken from `previous`.
    EXPECT_EQ(top.getMyID(), -1);
    EXPECT_EQ(third.getMyID(), -1);
    EXPECT_TRUE(second.isMe(-2) && second.isMe(-1) && !second.isMe(-3));
    EXPECT_FALSE(third.isMe(-2));
    top = second;
    EXPECT_EQ(top.getMyID(), -2);
    EXPECT_EQ(top.getErrNo(1), 4);
}

TEST(ExceptionTest, ReportFormat) {
    QuillonException first(21, "StringTokenizer::nextToken()", String());
    QuillonException second(4, "X::f()", first, String("detail"));
    EXPECT_EQ(str(second.toString(1)),
              "\nLocation : StringTokenizer::nextToken()\nError    : No more tokens\n\n\n"
              "\nLocation : X::f()\nError    : Parameter is NULL\ndetail\n\n");
    EXPECT_EQ(str(second.toString(0)), str(second.toString(1)));
    EXPECT_EQ(str(second.toString(2)), "");
    EXPECT_EQ(str(Exception(Exception::libraries(0), 0, "a()", String()).toString(0)),
              "\nLocation : a()\nError    : The ASN.1 Any Object has not yet been set\n\n\n");
    // Libraries without a report table say "Unknown Error".
    Exception signText(Exception::LIB_SIGNTEXT, 0, "s()", String());
    EXPECT_EQ(str(signText.toString(0)), "\nLocation : s()\nError    : Unknown Error\n\n\n");
}

TEST(ExceptionTest, ErrorTextLookup) {
    QuillonException e(0, "x", String());
    const struct { unsigned int number; int library; const char* text; } cases[] = {
        {1, 17, "Index out of range"},     {0, 1, "Hit default, bad library number"},
        {0, 34, "Hit default, bad library number"}, {0, 33, "See previous exception."},
        {34, 17, "Unknown Error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(str(e.getErrorText(c.number, static_cast<Exception::libraries>(c.library))), c.text)
            << "library " << c.library << " number " << c.number;
}

TEST(ExceptionTest, IndexOutOfRangeOwnsItsMessage) {
    char text[] = "m";
    IndexOutOfRange original(text);
    text[0] = 'x';
    IndexOutOfRange copy(original);
    EXPECT_STREQ(original.toString(), "m");
    EXPECT_STREQ(copy.toString(), "m");
    EXPECT_NE(copy.toString(), original.toString());
}
