// The backtracking matcher: runs a node program over a subject.
//
// The search is leftmost-first: start positions are tried from left to
// right, and at each one the alternatives and repetition counts in a fixed
// order, the first success being taken. The choice points that a recursive
// matcher would keep on the C++ stack live in a stack of 8-byte frames on the
// heap instead, so a subject of any length is matched without overflowing
// the C++ stack. Group marks take no frame: once a match succeeds, its path
// is replayed from the choice points to write the slots. The results are
// those of the recursive formulation, slots included (a slot takes the
// innermost, i.e. last, visit of its group on the successful path).
//
// Failures are remembered: once a search has done more backtracking than a
// few steps per subject byte, it takes a FailureMemory and from then on
// never follows a (memo row node, position) continuation twice; a
// repetition remembers every start its run covered. Only failed
// continuations are skipped, so the order of trials and every result stay
// as they were, while the work left is bounded by the code size times the
// subject length.
#pragma once

#include <cstddef>
#include <cstdint>

#include "regex/RegexFailureMemory.h"
#include "regex/RegexProgram.h"

namespace Korvane {
namespace regex {

class Matcher {
public:
    // When a search starts remembering failures: once its backtracking is
    // expensive, or (for tests) after a few steps or at its first step.
    enum class Remembering { Lazily, Soon, FromTheStart };

    // A matcher over the `length` bytes at `subject` (a NUL follows them).
    Matcher(Program& program, const char* subject, std::size_t length,
            Remembering remembering = Remembering::Lazily);
    ~Matcher();

    // Searches from `from` (inside the subject or at its end). On a match the
    // program's sub-match slots describe it; on a failure they are cleared,
    // except when the subject lacks the program's required literal, which
    // leaves them untouched. Throws QuillonException 18 to 20 for a damaged
    // program.
    bool search(const char* from);

private:
    Matcher(const Matcher&) = delete;
    Matcher& operator=(const Matcher&) = delete;

    // One choice point. A branch's names the alternative being tried; a
    // repetition takes two frames, the count it is at lying under its header.
    struct Frame {
        std::uint32_t position;  // subject offset (the count, in a count slot)
        std::uint32_t node;      // code offset of the branch or repetition
    };

    bool attempt(std::size_t start);
    bool match(std::size_t start);
    // The match loop, with or without the memory of failures. `resume`
    // starts it by backtracking from the frames on the stack.
    template <bool kRemember>
    bool run(std::size_t start, bool resume);
    bool runRemembering(std::size_t start, bool resume);
    template <bool kRemember>
    bool pickCount(const unsigned char* next, std::size_t at, std::size_t least,
                   std::size_t most, std::size_t& count);
    std::size_t uncoveredRun(const unsigned char* node, std::uint16_t row, std::size_t least,
                             std::size_t at);
    bool takesByte(const unsigned char* node, unsigned char byte) const;
    bool takeMemory();
    std::size_t repeatCount(const unsigned char* node, std::size_t from) const;
    std::size_t leadingRun(std::size_t at) const;
    void recordGroups(std::size_t start);

    void push(std::uint32_t position, std::uint32_t node) {
        if (depth == capacity) grow();
        frames[depth].position = position;
        frames[depth].node = node;
        ++depth;
    }
    void grow();

    Program& program;
    const unsigned char* const subject;
    const std::size_t length;
    std::size_t searchStart;  // ^ matches here only
    std::size_t input;        // where the last match attempt ended

    static constexpr std::size_t kInlineFrames = 256;
    Frame inlineFrames[kInlineFrames];
    Frame* frames;
    std::size_t depth;
    std::size_t capacity;

    const Remembering remembering;
    FailureMemory memory;     // positions counted from searchStart
    // Backtracking steps left before the search takes the memory; -1 once
    // it has, PTRDIFF_MAX when it could not.
    std::ptrdiff_t stepsLeft;

    // When the program leads with a repetition of one node, a failed attempt
    // at p also rules out p+1 .. p+n for the run of n it counted: from there
    // the repetition could only reach continuation points already tried.
    // The plain loop keeps the run it counted for the search to skip.
    const unsigned char* leadingRepeat;  // null: no such repetition
    std::size_t leadingRunStart;
    std::size_t leadingRunLength;
};

}  // namespace regex
}  // namespace Korvane
