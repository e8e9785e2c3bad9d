// Exceptions: the stacked entries, the report, and the message catalog
// behind them (the size of every table, and a handful of entries where a
// table's numbering or text is easy to get wrong).

#include "TestSupport.h"
#include "errors/ErrorCatalog.h"
#include "korvane/IOException.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonError.h"
#include "korvane/QuillonException.h"

using namespace Korvane;
using Korvane::internal::catalogTable;
using Korvane::internal::catalogText;
using korvane_test::str;

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

TEST(ExceptionTest, IndexOutOfRangeOwnsItsMessage) {
    char text[] = "m";
    IndexOutOfRange original(text);
    text[0] = 'x';
    IndexOutOfRange copy(original);
    EXPECT_STREQ(original.toString(), "m");
    EXPECT_STREQ(copy.toString(), "m");
    EXPECT_NE(copy.toString(), original.toString());
}

TEST(ErrorCatalogTest, TableSizesAndTheirEdges) {
    // Library number, then the size of its table; libraries 1, 20 and 26 have none.
    const unsigned int sizes[][2] = {{0, 34}, {2, 88}, {3, 24}, {4, 73}, {5, 17}, {6, 13}, {7, 38}, {8, 21},
                                     {9, 10}, {10, 3}, {11, 13}, {12, 12}, {13, 5}, {14, 38}, {15, 41}, {16, 15},
                                     {17, 34}, {18, 89}, {19, 4}, {21, 3}, {22, 31}, {23, 14}, {24, 14}, {25, 13},
                                     {27, 23}, {28, 4}, {29, 1}, {30, 16}, {31, 18}, {32, 36}, {33, 11}};
    for (const auto& size : sizes) {
        const int library = static_cast<int>(size[0]);
        EXPECT_EQ(catalogTable(library).size, size[1]) << library;
        EXPECT_NE(catalogText(library, size[1] - 1), nullptr) << library;
        EXPECT_EQ(catalogText(library, size[1]), nullptr) << library;
    }
    for (int library : {1, 20, 26, 34, -1, 1000}) {
        EXPECT_EQ(catalogTable(library).entries, nullptr) << library;
        EXPECT_EQ(catalogText(library, 0), nullptr) << library;
    }
}

TEST(ErrorCatalogTest, EntriesKeptAsTheyStand) {
    EXPECT_STREQ(catalogText(17, 33), "File path not found");
    EXPECT_EQ(catalogText(2, 75), nullptr);  // a number the table skips
    EXPECT_STREQ(catalogText(2, 76), "The specified signature algorithm is not recognised. Must be in range 0-2.");
    EXPECT_EQ(catalogText(11, 0), nullptr);  // this table starts at 1
    EXPECT_STREQ(catalogText(32, 20), "Reserved\t");
    EXPECT_STREQ(catalogText(8, 5), "Not connectedThe terminator must be non-empty");
}

TEST(ErrorCatalogTest, ErrorNamesCarryTheirNumbersAndTexts) {
    EXPECT_EQ(*Exception::catalogText(QuillonError::NoMoreTokens), "No more tokens");
    EXPECT_FALSE(Exception::catalogText(QuillonError::MonthOutOfRange));
    EXPECT_FALSE(Exception::catalogText(Exception::LIB_X509, 75));
    EXPECT_FALSE(Exception::catalogText(static_cast<Exception::libraries>(20), 0));
}
