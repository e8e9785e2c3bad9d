// Moving a value takes its buffer over: growing a vector of strings
// allocates no string buffer, and every value moved from is a valid empty
// value of its type. Replaces the global array operators to count buffer
// allocations, so it runs in an executable of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "korvane/Korvane.h"

using namespace Korvane;

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
