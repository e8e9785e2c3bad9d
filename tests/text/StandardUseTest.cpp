// The value types with the standard library: the checks that must compile
// (and the few that must not) are static_asserts; what the compiled forms
// do is checked at run time.
//
// Moving a value takes its buffer over: growing a vector of strings
// allocates no string buffer, and every value moved from is a valid empty
// value of its type. This file replaces the global array operators to count
// buffer allocations, so it runs in an executable of its own.

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "TestSupport.h"
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

    EXPECT_EQ(korvane_test::thrownText([] { StringTokenizer(String(), ",", "").nextToken(); }),
              "\nLocation : StringTokenizer::nextToken()\nError    : No more tokens\n\n\n");
}

namespace {
std::atomic<long> bufferAllocations{0};
}

void* operator new[](std::size_t bytes) {
    ++bufferAllocations;
    if (void* block = std::malloc(bytes == 0 ? 1 : bytes)) return block;
    throw std::bad_alloc();
}
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

TEST(MoveTest, GrowingAVectorOfStringsAllocatesNoStringBuffer) {
    std::vector<String> source;
    for (int i = 0; i < 1000; ++i) source.push_back(String("text ") + i);
    const long before = bufferAllocations.load();
    std::vector<String> grown;
    for (String& text : source) grown.push_back(std::move(text));
    EXPECT_EQ(bufferAllocations.load() - before, 0);
    EXPECT_EQ(grown[999], "text 999");
    EXPECT_EQ(source[0].length(), 0u);
    EXPECT_EQ(source[0].getData()[0], '\0');
}

TEST(MoveTest, ValuesMovedFromAreEmptyValuesOfTheirType) {
    String text("abc");
    String taken(std::move(text));
    EXPECT_EQ(taken, "abc");
    EXPECT_EQ(text, "");
    text += "de";  // usable again: gets a buffer of its own
    EXPECT_EQ(text, "de");

    BigNumber number(-300);
    BigNumber moved = std::move(number);
    EXPECT_TRUE(moved.toInt() == -300 && number == BigNumber::Zero && (~number).toInt() == 255);
    ByteArray bytes("xy");
    ByteArray other = std::move(bytes);
    EXPECT_TRUE(bytes.empty());
    bytes += 'z';
    EXPECT_EQ(bytes, ByteArray("z"));
    RegularExpression expression("b+", "abbc");
    RegularExpression matcher(std::move(expression));
    EXPECT_TRUE(matcher.hasExpression() && !expression.hasExpression() && expression.substitute("&") == "");
    EXPECT_EQ(RegularExpression(expression).getNumberSubExpressions(), 0u);

    StringTokenizer tokens("a,b", ",", "");
    tokens.nextToken();
    StringTokenizer rest(std::move(tokens));
    EXPECT_TRUE(!tokens.hasToken() && rest.nextToken() == "b");
    QuillonException error(21, "here", "");
    Exception thrown(std::move(error));
    EXPECT_EQ(thrown.getErrorStackSize() * 10 + error.getErrorStackSize(), 10u);
    IndexOutOfRange range("m");
    IndexOutOfRange kept(std::move(range));
    EXPECT_EQ(std::string(kept.toString()) + "|" + range.toString(), "m|");
}
