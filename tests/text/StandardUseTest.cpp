// The value types with the standard library: the checks that must compile
// (and the few that must not) are static_asserts; what the compiled forms
// do is checked at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "korvane/Korvane.h"

using namespace Korvane;

namespace {

template <class T>
constexpr bool movesWithoutThrowing =
    std::is_nothrow_move_constructible<T>::value && std::is_nothrow_move_assignable<T>::value;
static_assert(movesWithoutThrowing<String> && movesWithoutThrowing<ByteArray> &&
              movesWithoutThrowing<BigNumber> && movesWithoutThrowing<BoolArray> &&
              movesWithoutThrowing<IntArray> && movesWithoutThrowing<UTF8String> &&
              movesWithoutThrowing<Date> && movesWithoutThrowing<TimeZone> &&
              movesWithoutThrowing<Exception> && movesWithoutThrowing<QuillonException> &&
              movesWithoutThrowing<IOException> && movesWithoutThrowing<IndexOutOfRange> &&
              movesWithoutThrowing<RegularExpression> && movesWithoutThrowing<StringTokenizer>);

static_assert(std::is_base_of<std::exception, Exception>::value &&
              std::is_base_of<std::exception, IndexOutOfRange>::value);
static_assert(!std::is_convertible<String, std::string_view>::value &&
              std::is_constructible<String, std::string_view>::value);

}  // namespace

TEST(StandardUseTest, ArraysAreRangesAndHashableKeys) {
    String text("b-a");
    std::string seen(text.begin(), text.end());
    EXPECT_EQ(seen, "b-a");
    std::sort(text.begin(), text.end());
    EXPECT_EQ(text, "-ab");
    EXPECT_EQ(text.view(), std::string_view("-ab"));
    EXPECT_EQ(String(std::string_view("a\0b", 3)).length(), 3u);
    EXPECT_TRUE(std::size(ByteArray("xyz")) == 3u && IntArray().empty());

    // Equal values hash alike: strings by the text up to the first NUL.
    std::unordered_set<String> strings{String("key"), String("key\0tail", 8u)};
    EXPECT_EQ(strings.size(), 1u);
    std::unordered_set<ByteArray> bytes{ByteArray("k"), ByteArray("k\0", 2u)};
    EXPECT_EQ(bytes.size(), 2u);
    std::unordered_set<BigNumber> numbers{BigNumber(7), BigNumber::fromBase("7", 10), BigNumber(-7)};
    EXPECT_EQ(numbers.size(), 2u);

    EXPECT_EQ("x" + String("y"), "xy");
}

TEST(StandardUseTest, TheFormerlyAmbiguousFormsDoWhatTheyRead) {
    EXPECT_EQ(ByteArray(5).length() + ByteArray(0).length(), 0u);
    EXPECT_THROW(ByteArray(-1), std::length_error);
    EXPECT_TRUE(ByteArray("x") == "x");
    EXPECT_TRUE("xy" != ByteArray("x"));
    EXPECT_EQ(BigNumber(3u).toInt(), 3);
    // unsigned long is 64 bits on Linux x86-64, 32 bits on Windows.
    EXPECT_EQ(BigNumber(0xFFFFFFFFul << 8).toByteArray(true),
              sizeof(long) == 8 ? ByteArray("\xFF\xFF\xFF\xFF\x00", 5u) : ByteArray("\xFF\xFF\xFF\x00", 4u));
    String s("old");
    s = 0;
    EXPECT_EQ(s, "0");
    s = 'c';
    EXPECT_EQ(s, "c");
}
TEST(StandardUseTest, LocksAndExceptionsWorkWithTheStandardLibrary) {
    Mutex mutex;
    {
        std::scoped_lock both(mutex);
        std::lock_guard<Mutex> again(mutex);  // re-entrant
    }
    EXPECT_TRUE(mutex.try_lock());
    mutex.unlock();

    try {
        StringTokenizer(String(), ",", "").nextToken();
        ADD_FAILURE();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "\nLocation : StringTokenizer::nextToken()\nError    : No more tokens\n\n\n");
    }
}
