// Rect: the default value, copies and printing. Texts against strtol, and
// the printed form of what they give, are the rect fuzz target's.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "korvane/Rect.h"

using namespace Korvane;

TEST(RectTest, DefaultCopiesAndPrintingIsDecimalWithoutLineEnd) {
    Rect assigned;
    assigned = Rect(Rect(1, -2, 3, INT_MIN));
    std::ostringstream out;
    out << std::hex << std::showbase << Rect() << assigned << "|";
    EXPECT_EQ(out.str(), "Rect (0, 0, 0, 0)Rect (1, -2, 3, -2147483648)|");
}
