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

std::string printed(const Rect& r) {
    std::ostringstream out;
    out << r;
    return out.str();
}

std::string expectedText(int a, int b, int c, int d) {
    return "Rect (" + std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c) +
           ", " + std::to_string(d) + ")";
}

// The reading the text constructor must agree with, worked out without
// strtok: the non-empty comma-separated pieces, each read by strtol and held
// to the int range.
std::vector<int> peerReading(const std::string& text) {
    std::vector<int> values(4, 0);
    std::size_t count = 0;
    std::size_t start = 0;
    const std::string upToNul = text.substr(0, text.find('\0'));
    while (start <= upToNul.size() && count < 4) {
        std::size_t end = upToNul.find(',', start);
        if (end == std::string::npos) end = upToNul.size();
        if (end > start) {
            const long value = std::strtol(upToNul.substr(start, end - start).c_str(), nullptr, 10);
            values[count++] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
        }
        start = end + 1;
    }
    return values;
}

}  // namespace

TEST(RectTest, ConstructorsAccessorsAndPrinting) {
    EXPECT_EQ(printed(Rect()), "Rect (0, 0, 0, 0)");
    EXPECT_EQ(printed(Rect(1, -2, 3, INT_MIN)), "Rect (1, -2, 3, -2147483648)");
    const Rect r(5, 6, 7, 8);
    EXPECT_EQ(std::vector<int>({r.first(), r.second(), r.third(), r.fourth()}),
              std::vector<int>({5, 6, 7, 8}));
    Rect assigned;
    assigned = r;
    EXPECT_EQ(printed(Rect(r)) + printed(assigned), "Rect (5, 6, 7, 8)Rect (5, 6, 7, 8)");
    // Decimal and without a line end, whatever the stream's settings.
    std::ostringstream out;
    out << std::hex << std::showbase << Rect(10, 255, -1, 16) << "|";
    EXPECT_EQ(out.str(), "Rect (10, 255, -1, 16)|");
}

TEST(RectTest, TextConstructorTable) {
    struct Case {
        const char* text;
        int a, b, c, d;
    } cases[] = {
        {"1,2,3,4", 1, 2, 3, 4},
        {"10, -5,x7,8", 10, -5, 0, 8},
        {"1,,2", 1, 2, 0, 0},
        {"", 0, 0, 0, 0},
        {",,,5", 5, 0, 0, 0},
        {"1,2,3,4,5,6", 1, 2, 3, 4},
        {" \t+7 ,\n-0,12abc,0x10", 7, 0, 12, 0},
        {",", 0, 0, 0, 0},
        {"99999999999,-99999999999,2147483647,-2147483648", INT_MAX, INT_MIN, INT_MAX, INT_MIN},
        {"- 1,+,--2,3", 0, 0, 0, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printed(Rect(String(c.text))), expectedText(c.a, c.b, c.c, c.d))
            << "text [" << c.text << "]";
}

TEST(RectTest, RandomTextsReadLikeStrtol) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const std::string alphabet = "0123456789999,,, -+x\t";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = int(random() % 40);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        const std::vector<int> expected = peerReading(text);
        const Rect r{String(text.c_str())};
        ASSERT_EQ(std::vector<int>({r.first(), r.second(), r.third(), r.fourth()}), expected)
            << "seed " << seed << " text [" << text << "]";
    }
}
