// Tables derived from a compiled node program that let the matcher skip work
// without changing any result: a bitmap per byte set, the bytes a match can
// begin with, whether the program leads with a repetition of one node, and
// the memo rows of the nodes whose failures a search remembers.
#pragma once

#include <cstddef>

#include "regex/RegexProgram.h"

namespace Korvane {
namespace regex {

// Where the parts of a program block lie.
struct BlockLayout {
    std::size_t setsOffset;
    std::size_t indexOffset;
    std::size_t memoOffset;
    std::size_t total;
};

// The layout for `codeSize` bytes of node code holding `setCount` byte sets.
BlockLayout blockLayout(std::size_t codeSize, std::size_t setCount);

// Fills the set tables and the derived fields of a freshly emitted program.
void buildSearchAids(Program& program);

}  // namespace regex
}  // namespace Korvane
