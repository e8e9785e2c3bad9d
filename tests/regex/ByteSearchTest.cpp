// The portable byte searches against the standard library's searches, over
// seeded random texts drawn from small alphabets so that partial matches,
// repetitive texts (which switch the needle search to its rolling hash) and
// hits at both ends are common.

#include <algorithm>
#include <random>
#include <string>

#include "TestSupport.h"
#include "regex/ByteSearch.h"

using namespace Korvane::regex;

namespace {

std::string randomBytes(std::mt19937& random, std::size_t length, int alphabet) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) byte = static_cast<char>('a' + static_cast<int>(random() % alphabet));
    return bytes;
}

// The offset of `found` in `text`, or -1 for null.
long long offsetOf(const std::string& text, const void* found) {
    return found == nullptr ? -1 : static_cast<const char*>(found) - text.data();
}

TEST(ByteSearch, PortableSearchesFindWhatTheStandardSearchesFind) {
    std::mt19937 random(static_cast<std::uint32_t>(korvane_test::testSeed(20240515)));
    for (int round = 0; round < 4000; ++round) {
        const int alphabet = 1 + round % 3;
        const std::string text = randomBytes(random, random() % (round < 3000 ? 64 : 5000), alphabet);
        const std::string needle = randomBytes(random, random() % 12, alphabet);
        const auto expected = std::search(text.begin(), text.end(), needle.begin(), needle.end());
        const long long want = expected == text.end() && !needle.empty() ? -1 : expected - text.begin();
        ASSERT_EQ(offsetOf(text, portableFindBytes(text.data(), text.size(), needle.data(), needle.size())), want)
            << "text " << text << " needle " << needle;
        ASSERT_EQ(offsetOf(text, findBytes(text.data(), text.size(), needle.data(), needle.size())), want);
        // The last occurrence of a byte, over texts of eight letters; 'i' never occurs.
        const std::string letters = randomBytes(random, random() % 80, 8);
        const char wanted = static_cast<char>('a' + random() % 9);
        const std::size_t at = letters.rfind(wanted);
        const long long last = at == std::string::npos ? -1 : static_cast<long long>(at);
        ASSERT_EQ(offsetOf(letters, portableFindLastByte(letters.data(), wanted, letters.size())), last) << letters;
        ASSERT_EQ(offsetOf(letters, findLastByte(letters.data(), wanted, letters.size())), last);
    }
}

TEST(ByteSearch, RepetitiveTextWithLateHitIsFound) {
    std::string text(100000, 'a');
    const std::string needle = std::string(40, 'a') + "b";
    EXPECT_EQ(portableFindBytes(text.data(), text.size(), needle.data(), needle.size()), nullptr);
    text += "b";
    EXPECT_EQ(offsetOf(text, portableFindBytes(text.data(), text.size(), needle.data(), needle.size())),
              static_cast<long long>(text.size() - needle.size()));
}

}  // namespace
