// Rect: printing, and the edges of its text constructor (arbitrary texts
// against strtol are the rect fuzz target's).
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "korvane/Rect.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

std::vector<int> fields(const Rect& r) { return {r.first(), r.second(), r.third(), r.fourth()}; }

}  // namespace

TEST(RectTest, PrintingIsDecimalWithoutLineEnd) {
    Rect assigned;
    assigned = Rect(Rect(1, -2, 3, INT_MIN));
    std::ostringstream out;
    out << std::hex << std::showbase << Rect() << assigned << Rect(10, 255, -1, 16) << "|";
    EXPECT_EQ(out.str(), "Rect (0, 0, 0, 0)Rect (1, -2, 3, -2147483648)Rect (10, 255, -1, 16)|");
}

TEST(RectTest, TextsReadLikeStrtolHeldToInt) {
    struct Case { const char* text; std::vector<int> expected; } cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},
        {"10, -5,x7,8", {10, -5, 0, 8}},
        {",,,5", {5, 0, 0, 0}},
        {"1,2,3,4,5,6", {1, 2, 3, 4}},
        {" \t+7 ,\n-0,12abc,0x10", {7, 0, 12, 0}},
        {"99999999999,-99999999999,2147483647,-2147483648", {INT_MAX, INT_MIN, INT_MAX, INT_MIN}},
    };
    for (const Case& c : cases) EXPECT_EQ(fields(Rect(String(c.text))), c.expected) << c.text;
}
