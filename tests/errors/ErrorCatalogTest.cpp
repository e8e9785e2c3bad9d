// The message catalog: the size of every table, and a handful of entries
// where a table's numbering or text is easy to get wrong.
#include "errors/ErrorCatalog.h"

#include <gtest/gtest.h>

#include <string>

#include "korvane/Exception.h"
#include "korvane/QuillonError.h"

using Korvane::internal::catalogTable;
using Korvane::internal::catalogText;

namespace {
// The text, or a marker that reads well in a failure message.
std::string textOf(int library, unsigned int number) {
    const char* text = catalogText(library, number);
    return text == nullptr ? std::string("<none>") : std::string(text);
}
}  // namespace

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
    EXPECT_EQ(textOf(17, 33), "File path not found");
    EXPECT_EQ(catalogText(2, 75), nullptr);  // a number the table skips
    EXPECT_EQ(textOf(2, 76), "The specified signature algorithm is not recognised. Must be in range 0-2.");
    EXPECT_EQ(catalogText(11, 0), nullptr);  // this table starts at 1
    EXPECT_EQ(textOf(32, 20), "Reserved\t");
    EXPECT_EQ(textOf(8, 5), "Not connectedThe terminator must be non-empty");
}

TEST(ErrorCatalogTest, ErrorNamesCarryTheirNumbersAndTexts) {
    using namespace Korvane;
    EXPECT_EQ(*Exception::catalogText(QuillonError::NoMoreTokens), "No more tokens");
    for (unsigned int number = 0; number <= 33; ++number)
        EXPECT_TRUE(Exception::catalogText(static_cast<QuillonError>(number))) << number;
    EXPECT_FALSE(Exception::catalogText(QuillonError::MonthOutOfRange));
    EXPECT_FALSE(Exception::catalogText(Exception::LIB_X509, 75));
    EXPECT_FALSE(Exception::catalogText(static_cast<Exception::libraries>(20), 0));
}
