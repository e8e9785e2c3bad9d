// Subjects of 16 MB under patterns whose matches pass a choice point or a
// group for every byte or two: a matcher that recursed on the C++ stack would
// overflow it here. (Walking many matches is timed in the benchmark.)

#include <random>

#include "RegexTestSupport.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;
using korvane_test::str;

constexpr std::size_t kSixteenMegabytes = std::size_t(16) << 20;

TEST(RegexLargeSubjectTest, RepeatedGroupsOverSixteenMegabytes) {
    std::string pairs;
    pairs.reserve(kSixteenMegabytes + 1);
    while (pairs.size() < kSixteenMegabytes) pairs += "ab";
    RegularExpression group("(ab)*c", (pairs + 'c').c_str());
    EXPECT_EQ(group.getNumberSubExpressions(), 2u);
    EXPECT_EQ(group.substitute("&").length(), kSixteenMegabytes + 1);
    EXPECT_EQ(str(group.substitute("\\1")), "ab");  // the last iteration

    std::mt19937 random(static_cast<std::uint32_t>(korvane_test::testSeed(16)));
    std::string subject(kSixteenMegabytes, 'a');
    for (char& c : subject) c = "ab"[random() % 2];
    RegularExpression alternation("(a|b)*", subject.c_str());
    EXPECT_EQ(alternation.substitute("&").length(), kSixteenMegabytes);
    EXPECT_EQ(str(alternation.substitute("\\1")), subject.substr(subject.size() - 1));
    // The missing required literal rejects the subject at once.
    RegularExpression missing("(a|b)*c", subject.c_str());
    EXPECT_FALSE(missing.hasExpression());
    EXPECT_EQ(missing.getNumberSubExpressions(), 0u);
}
