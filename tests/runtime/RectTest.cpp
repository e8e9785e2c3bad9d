// Rect: printing, and its text constructor against strtol's reading.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "korvane/Rect.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

std::vector<int> fields(const Rect& r) { return {r.first(), r.second(), r.third(), r.fourth()}; }

// The non-empty comma-separated pieces, each read by strtol and held to the int range.
std::vector<int> strtolReading(const std::string& text) {
    std::vector<int> values(4, 0);
    std::size_t count = 0;
    for (std::size_t start = 0, end; start <= text.size() && count < 4; start = end + 1) {
        end = std::min(text.find(',', start), text.size());
        if (end == start) continue;
        const long value = std::strtol(text.substr(start, end - start).c_str(), nullptr, 10);
        values[count++] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
    }
    return values;
}

}  // namespace

TEST(RectTest, PrintingIsDecimalWithoutLineEnd) {
    Rect assigned;
    assigned = Rect(Rect(1, -2, 3, INT_MIN));
    std::ostringstream out;
    out << std::hex << std::showbase << Rect() << assigned << Rect(10, 255, -1, 16) << "|";
    EXPECT_EQ(out.str(), "Rect (0, 0, 0, 0)Rect (1, -2, 3, -2147483648)Rect (10, 255, -1, 16)|");
}

TEST(RectTest, TextsReadLikeStrtol) {
    struct Case {
        const char* text;
        std::vector<int> expected;
    } cases[] = {
        {"1,2,3,4", {1, 2, 3, 4}},
        {"10, -5,x7,8", {10, -5, 0, 8}},
        {",,,5", {5, 0, 0, 0}},
        {"1,2,3,4,5,6", {1, 2, 3, 4}},
        {" \t+7 ,\n-0,12abc,0x10", {7, 0, 12, 0}},
        {"99999999999,-99999999999,2147483647,-2147483648", {INT_MAX, INT_MIN, INT_MAX, INT_MIN}},
    };
    for (const Case& c : cases) EXPECT_EQ(fields(Rect(String(c.text))), c.expected) << c.text;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const std::string alphabet = "0123456789999,,, -+x\t";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = int(random() % 40); i > 0; --i) text += alphabet[random() % alphabet.size()];
        ASSERT_EQ(fields(Rect(String(text.c_str()))), strtolReading(text))
            << "seed " << seed << " text [" << text << "]";
    }
}
