#include <gtest/gtest.h>

#include "korvane/IOException.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {
std::string str(const String& s) { return std::string(s.getData(), s.length()); }
}  // namespace

TEST(ExceptionTest, AccessorsGiveSentinelsOutOfRange) {
    QuillonException e(21, "StringTokenizer::nextToken()", String());
    EXPECT_EQ(e.getErrorStackSize(), 1u);
    EXPECT_EQ(e.getErrNo(0), 21);
    EXPECT_EQ(e.getErrNo(1), -1);
    EXPECT_EQ(e.getLib(0), Exception::LIB_QUILLON);
    EXPECT_EQ(static_cast<int>(e.getLib(1)), -1);
    EXPECT_EQ(&e.getErrLocation(5), &String::emptyString);
    EXPECT_EQ(&e.getExtraInfo(1), &String::emptyString);
}

TEST(ExceptionTest, StackingKeepsPreviousEntriesInOrder) {
    QuillonException first(21, "a()", String("one"));
    QuillonException second(4, "b()", first, String("two"));
    IOException third(Exception::LIB_QUILLON, 33, "c()", second, String("three"));
    Exception top(Exception::LIB_SSL, 15, "d()", third, String("four"));
    ASSERT_EQ(top.getErrorStackSize(), 4u);
    EXPECT_EQ(str(top.getErrLocation(0)), "a()");
    EXPECT_EQ(str(top.getExtraInfo(2)), "three");
    EXPECT_EQ(top.getErrNo(3), 15);
    EXPECT_EQ(top.getLib(3), Exception::LIB_SSL);
    EXPECT_EQ(top.getErrnoVector(), (std::vector<unsigned int>{21, 4, 33, 15}));
    EXPECT_EQ(top.getMyID(), -1);  // the identity of `previous` is not taken over
}

TEST(ExceptionTest, IdentityValues) {
    QuillonException q(1, "x", String());
    IOException io(Exception::LIB_QUILLON, 0, "y", String());
    Exception plain(Exception::LIB_ASN1, 0, "z", String());
    EXPECT_EQ(q.getMyID(), -2);
    EXPECT_TRUE(q.isMe(-2));
    EXPECT_TRUE(q.isMe(-1));
    EXPECT_FALSE(q.isMe(-3));
    EXPECT_EQ(io.getMyID(), -1);
    EXPECT_FALSE(io.isMe(-2));
    EXPECT_TRUE(plain.isMe(-1));
    Exception copy = q;
    EXPECT_EQ(copy.getMyID(), -2);
    plain = q;
    EXPECT_EQ(plain.getMyID(), -2);
    EXPECT_EQ(plain.getErrNo(0), 1);
}

TEST(ExceptionTest, ReportFormat) {
    QuillonException first(21, "StringTokenizer::nextToken()", String());
    EXPECT_EQ(str(first.toString(0)),
              "\nLocation : StringTokenizer::nextToken()\nError    : No more tokens\n\n\n");
    QuillonException second(4, "X::f()", first, String("detail"));
    EXPECT_EQ(str(second.toString(1)),
              "\nLocation : StringTokenizer::nextToken()\nError    : No more tokens\n\n\n"
              "\nLocation : X::f()\nError    : Parameter is NULL\ndetail\n\n");
    EXPECT_EQ(str(second.toString(0)), str(second.toString(1)));
    EXPECT_EQ(str(second.toString(2)), "");
}

TEST(ExceptionTest, ReportSaysUnknownErrorForLibrariesWithoutReportTable) {
    Exception signText(Exception::LIB_SIGNTEXT, 0, "s()", String());
    EXPECT_EQ(str(signText.toString(0)), "\nLocation : s()\nError    : Unknown Error\n\n\n");
    EXPECT_EQ(str(signText.getErrorText(0, Exception::LIB_SIGNTEXT)), "See previous exception.");
    Exception one(static_cast<Exception::libraries>(1), 0, "o()", String());
    EXPECT_EQ(str(one.toString(0)), "\nLocation : o()\nError    : Unknown Error\n\n\n");
}

TEST(ExceptionTest, ErrorTextLookup) {
    QuillonException e(0, "x", String());
    const struct {
        unsigned int number;
        int library;
        const char* text;
    } cases[] = {
        {1, 17, "Index out of range"},
        {0, 1, "Hit default, bad library number"},
        {0, 20, "Hit default, bad library number"},
        {0, 26, "Hit default, bad library number"},
        {0, 34, "Hit default, bad library number"},
        {0, 29, "See previous exception"},
        {0, 33, "See previous exception."},
        {34, 17, "Unknown Error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(str(e.getErrorText(c.number, static_cast<Exception::libraries>(c.library))), c.text)
            << "library " << c.library << " number " << c.number;
    }
}

TEST(ExceptionTest, IndexOutOfRangeOwnsItsMessage) {
    char text[] = "m";
    IndexOutOfRange original(text);
    text[0] = 'x';
    EXPECT_STREQ(original.toString(), "m");
    IndexOutOfRange copy(original);
    EXPECT_STREQ(copy.toString(), "m");
    EXPECT_NE(copy.toString(), original.toString());
}
