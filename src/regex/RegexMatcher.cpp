#include "regex/RegexMatcher.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "korvane/QuillonException.h"
#include "regex/ByteSearch.h"
#include "regex/RegexSubjectScan.h"

namespace Korvane {
namespace regex {

namespace {

const char* const kMatchLocation = "RegularException::regmatch(exec, prog)";
const char* const kRepeatLocation = "RegularExpression::regrepeat()";

// Below this many candidate counts a plain loop beats findLastByte's set-up.
constexpr std::size_t kShortBackOff = 32;

// The backtracking steps per subject position a search takes before it
// remembers failures. Ordinary searches stay far below; a search that gets
// here is on its way to quadratic or worse.
constexpr std::size_t kStepsPerPosition = 8;
constexpr std::size_t kStepsBeforeRemembering = 1024;
constexpr std::ptrdiff_t kStepsWhenSoon = 16;

// The plain match loop runs inside match() and the attempt inside the search
// loops, as one function each, whatever the compiler's heuristics say: the
// common case pays for no extra call.
#if defined(__GNUC__)
#define KORVANE_REGEX_INLINE __attribute__((always_inline)) inline
#define KORVANE_REGEX_OUT_OF_LINE __attribute__((noinline))
#else
#define KORVANE_REGEX_INLINE inline
#define KORVANE_REGEX_OUT_OF_LINE
#endif

[[noreturn]] void fail(QuillonError error, const char* location) {
    throw QuillonException(error, location, String());
}

// The byte a repetition's continuation must start with, or -1 for none: the
// first byte of the literal that follows it.
int lookaheadByte(const unsigned char* next) {
    return next != nullptr && opcode(next) == OpLiteral ? operand(next)[0] : -1;
}

// The greatest count in [least, most] whose continuation can start at
// `run + count` (the byte there is `look`, when there is a lookahead).
bool chooseCount(const unsigned char* run, std::size_t least, std::size_t most, int look,
                 std::size_t& count) {
    if (most < least) return false;
    if (look < 0) {
        count = most;
        return true;
    }
    if (most - least < kShortBackOff) {
        for (std::size_t c = most;; --c) {
            if (run[c] == look) {
                count = c;
                return true;
            }
            if (c == least) return false;
        }
    }
    const void* hit = findLastByte(run + least, look, most - least + 1);
    if (hit == nullptr) return false;
    count = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - run);
    return true;
}

// The first alternative of the branch chain from `branch` on that is worth
// trying where the next byte is `next`, or null. An alternative that opens
// with a literal or a set that `next` cannot start fails at once, so
// skipping it changes nothing but the time taken.
const unsigned char* firstViable(const Program& program, const unsigned char* branch,
                                 unsigned char next) {
    for (; branch != nullptr && opcode(branch) == OpBranch; branch = nextNode(branch)) {
        const unsigned char* first = operand(branch);
        if (opcode(first) == OpLiteral && operand(first)[0] != next) continue;
        if (opcode(first) == OpAnyOf && !program.setOf(first).contains(next)) continue;
        return branch;
    }
    return nullptr;
}

}  // namespace

Matcher::Matcher(Program& program, const char* subject, std::size_t length,
                 Remembering remembering)
    : program(program),
      subject(reinterpret_cast<const unsigned char*>(subject)),
      length(length),
      searchStart(0),
      input(0),
      frames(inlineFrames),
      depth(0),
      capacity(kInlineFrames),
      remembering(remembering),
      stepsLeft(0),
      leadingRepeat(nullptr),
      leadingRunStart(0),
      leadingRunLength(0) {}

Matcher::~Matcher() {
    if (frames != inlineFrames) std::free(frames);
}

void Matcher::grow() {
    const std::size_t wanted = capacity * 2;
    Frame* grown = frames == inlineFrames
                       ? static_cast<Frame*>(std::malloc(wanted * sizeof(Frame)))
                       : static_cast<Frame*>(std::realloc(frames, wanted * sizeof(Frame)));
    if (grown == nullptr) fail(QuillonError::OutOfMemory, kMatchLocation);
    if (frames == inlineFrames) std::memcpy(grown, inlineFrames, sizeof inlineFrames);
    frames = grown;
    capacity = wanted;
}

// ---- regexec ----------------------------------------------------------------

bool Matcher::search(const char* fromText) {
    const std::size_t from = static_cast<std::size_t>(
        reinterpret_cast<const unsigned char*>(fromText) - subject);
    if (program.regmust != nullptr &&
        findBytes(subject + from, length - from, program.regmust,
               static_cast<std::size_t>(program.regmlen)) == nullptr)
        return false;

    searchStart = from;
    if (memory.taken()) memory.release();
    if (remembering == Remembering::FromTheStart)
        takeMemory();
    else if (remembering == Remembering::Soon)
        stepsLeft = kStepsWhenSoon;
    else
        stepsLeft = static_cast<std::ptrdiff_t>(kStepsPerPosition * (length - from) +
                                                kStepsBeforeRemembering);
    // Failed attempts never write a slot, so clearing once before the first
    // attempt leaves the same state as clearing before each.
    std::memset(program.startp, 0, sizeof program.startp);
    std::memset(program.endp, 0, sizeof program.endp);

    if (program.reganch) return attempt(from);

    if (program.regstart != 0) {
        // The single alternative begins with a literal, so an attempt can
        // only succeed where the whole literal occurs.
        const unsigned char* literal = operand(operand(program.firstNode()));
        const std::size_t literalLength = std::strlen(reinterpret_cast<const char*>(literal));
        for (std::size_t at = from; at < length; ++at) {
            const void* hit = literalLength == 1
                                  ? std::memchr(subject + at, literal[0], length - at)
                                  : findBytes(subject + at, length - at, literal, literalLength);
            if (hit == nullptr) return false;
            at = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - subject);
            if (attempt(at)) return true;
        }
        return false;
    }

    // A failed attempt rules out the starts inside the leading repetition's
    // run (see leadingRepeat).
    leadingRepeat = program.leadsWithRepeat ? operand(program.firstNode()) : nullptr;
    leadingRunStart = static_cast<std::size_t>(-1);

    if (program.startSetUsable) {
        // A match needs at least one byte, and its first byte is in the set.
        const ByteSet& starts = program.startSet;
        const int few = program.startByteCount;
        const int pairs = program.startPairCount;
        for (std::size_t at = from;; ++at) {
            if (at >= length) return false;
            if (pairs != 0)
                at = scanForPairs(subject, at, length, program.startPairs, pairs);
            else if (few != 0)
                at = scanForAny(subject, at, length, program.startBytes, few);
            else
                while (at < length && !starts.contains(subject[at])) ++at;
            if (at >= length) return false;
            if (attempt(at)) return true;
            if (leadingRepeat != nullptr) at += leadingRun(at);
        }
    }

    for (std::size_t at = from;; ++at) {
        if (attempt(at)) return true;
        if (at >= length) return false;
        if (leadingRepeat != nullptr) {
            at += leadingRun(at);
            if (at >= length) return false;
        }
    }
}

KORVANE_REGEX_INLINE bool Matcher::attempt(std::size_t start) {
    if (!match(start)) return false;
    program.startp[0] = reinterpret_cast<const char*>(subject + start);
    program.endp[0] = reinterpret_cast<const char*>(subject + input);
    return true;
}

// ---- regmatch ---------------------------------------------------------------

KORVANE_REGEX_OUT_OF_LINE bool Matcher::match(std::size_t start) {
    depth = 0;
    // Over budget after an attempt without frames: remember from this one on.
    if (stepsLeft < 0 && (memory.taken() || takeMemory())) return runRemembering(start, false);
    return run<false>(start, false);
}

KORVANE_REGEX_OUT_OF_LINE bool Matcher::runRemembering(std::size_t start, bool resume) {
    return run<true>(start, resume);
}

// False when the memory cannot be had; the search then goes on without it,
// as plain backtracking.
bool Matcher::takeMemory() {
    const bool taken = memory.take(program.memoRows, length - searchStart + 1);
    stepsLeft = taken ? -1 : PTRDIFF_MAX;
    return taken;
}

// Runs nodes forward until one fails, then resumes the newest choice point:
// the next alternative of a branch, or the next smaller count of a
// repetition. The stack holds choice points only, one for every branch with
// several alternatives and every repetition on the current path, including
// those down to their last option, so that the path can be replayed. (A
// program without groups is never replayed, so there a repetition that
// starts at its last option pushes nothing.)
//
// Without the memory the loop counts its backtracking steps and the bytes a
// repetition's lookahead passes over, and hands over to the remembering
// loop, frames and all, once they pass the budget. That also pays for
// measuring a repetition's run: all its counts are passed over, a step or a
// byte each, before the attempt fails (or the count chosen is the least,
// reached by passing over the others). With the memory, a memo row node
// seen at a position before fails at once: the earlier visit failed, since
// a success ends the search, and it cannot still be in progress on the
// current path, for every loop of the program consumes a byte (a repetition
// of what can match empty does not compile).
template <bool kRemember>
KORVANE_REGEX_INLINE bool Matcher::run(std::size_t start, bool resume) {
    const unsigned char* const code = program.code;
    const unsigned char* const text = subject;
    const unsigned char* scan = program.firstNode();
    std::size_t in = start;

    for (;;) {
        bool failed = kRemember && resume;
        resume = false;
        while (!failed) {
            if (scan == nullptr) fail(QuillonError::CorruptedInternalPointers, kMatchLocation);
            const unsigned char* next = nextNode(scan);
            const unsigned char op = opcode(scan);
            std::uint16_t row = 0;
            if constexpr (kRemember) {
                row = program.memoRowOf(scan);
                if (row != 0) {
                    if (memory.test(row, in - searchStart)) break;
                    if (op != OpStar && op != OpPlus) memory.set(row, in - searchStart);
                }
            }
            switch (op) {
            case OpEnd:
                input = in;
                if (program.hasGroups) recordGroups(start);
                return true;
            case OpLineStart:
                failed = in != searchStart;
                break;
            case OpLineEnd:
                failed = in != length;
                break;
            case OpAnyChar:
                if (in == length)
                    failed = true;
                else
                    ++in;
                break;
            case OpAnyOf:
                // A set never holds NUL, so the terminator fails here.
                if (program.setOf(scan).contains(text[in]))
                    ++in;
                else
                    failed = true;
                break;
            case OpAnyBut:
                if (in == length || program.setOf(scan).contains(text[in]))
                    failed = true;
                else
                    ++in;
                break;
            case OpLiteral: {
                // Literal bytes are never NUL, so the terminator stops the loop.
                const unsigned char* literal = operand(scan);
                const unsigned char* at = text + in;
                while (*literal != 0 && *literal == *at) {
                    ++literal;
                    ++at;
                }
                if (*literal != 0)
                    failed = true;
                else
                    in = static_cast<std::size_t>(at - text);
                break;
            }
            case OpEmpty:
            case OpBack:
                break;
            case OpBranch: {
                // A lone alternative is no choice.
                if (next == nullptr || opcode(next) != OpBranch) {
                    next = operand(scan);
                    break;
                }
                const unsigned char* alternative = firstViable(program, scan, text[in]);
                if (alternative == nullptr) {
                    failed = true;
                    break;
                }
                push(static_cast<std::uint32_t>(in), static_cast<std::uint32_t>(alternative - code));
                next = operand(alternative);
                break;
            }
            case OpStar:
            case OpPlus: {
                const std::size_t least = op == OpPlus ? 1 : 0;
                const std::size_t most = kRemember && row != 0 ? uncoveredRun(scan, row, least, in)
                                                               : repeatCount(operand(scan), in);
                if (!kRemember && scan == leadingRepeat) {
                    leadingRunStart = in;
                    leadingRunLength = most;
                }
                std::size_t count = 0;
                if (!pickCount<kRemember>(next, in, least, most, count)) {
                    failed = true;
                    break;
                }
                // Without groups there is no replay, and a repetition at its
                // smallest count has nothing left to return to.
                if (count > least || program.hasGroups) {
                    push(static_cast<std::uint32_t>(count), 0);
                    push(static_cast<std::uint32_t>(in), static_cast<std::uint32_t>(scan - code));
                }
                in += count;
                break;
            }
            default:
                // Group marks are written when the path is replayed.
                if (!isGroupOpen(op) && !isGroupClose(op)) fail(QuillonError::CorruptedInternalRegexp, kMatchLocation);
                break;
            }
            if (!failed) scan = next;
        }

        // Backtrack to the newest choice point that has an option left.
        for (;;) {
            if (depth == 0) {
                return false;
            }
            if constexpr (!kRemember) {
                if (--stepsLeft < 0 && takeMemory()) return runRemembering(start, true);
            }
            Frame& top = frames[depth - 1];
            const unsigned char* node = code + top.node;
            const unsigned char op = opcode(node);
            if (op == OpBranch) {
                const unsigned char* alternative = firstViable(program, nextNode(node), text[top.position]);
                if (alternative == nullptr) {
                    --depth;
                    continue;
                }
                top.node = static_cast<std::uint32_t>(alternative - code);
                in = top.position;
                scan = operand(alternative);
                break;
            }
            // A repetition: try the next smaller count that fits.
            Frame& countSlot = frames[depth - 2];
            const std::size_t least = op == OpPlus ? 1 : 0;
            const unsigned char* next = nextNode(node);
            std::size_t count = 0;
            if (countSlot.position > least &&
                pickCount<kRemember>(next, top.position, least, countSlot.position - 1, count)) {
                countSlot.position = static_cast<std::uint32_t>(count);
                in = top.position + count;
                scan = next;
                break;
            }
            depth -= 2;
        }
    }
}

// The greatest count in [least, most] for the repetition at `at` whose
// continuation `next` may still succeed, skipping the ones remembered as
// failed; takes the bytes looked at from the steps left.
template <bool kRemember>
bool Matcher::pickCount(const unsigned char* next, std::size_t at, std::size_t least,
                        std::size_t most, std::size_t& count) {
    const int look = lookaheadByte(next);
    bool found = chooseCount(subject + at, least, most, look, count);
    if constexpr (kRemember) {
        const std::uint16_t row = next != nullptr ? program.memoRowOf(next) : 0;
        if (row == 0) return found;
        while (found && memory.test(row, at + count - searchStart))
            found = count > least && chooseCount(subject + at, least, count - 1, look, count);
    } else {
        stepsLeft -= static_cast<std::ptrdiff_t>(most - count);  // a count not found is still 0
    }
    return found;
}

// The count that reaches the greatest continuation of the repetition at
// `node` from `at` that no earlier visit covered, marking the starts this
// visit covers. The run of a one-byte node from any start inside it ends
// where the run from `at` ends, and a repetition from a start p tries the
// continuations from that end down to p + least. So the starts from `at` up
// to the end, or up to the first start already marked, cover the
// continuations down from there; an earlier visit covered those above.
std::size_t Matcher::uncoveredRun(const unsigned char* node, std::uint16_t row, std::size_t least,
                                  std::size_t at) {
    const unsigned char* body = operand(node);
    std::size_t last = at;
    memory.set(row, at - searchStart);
    while (last < length && takesByte(body, subject[last]) &&
           !memory.test(row, last + 1 - searchStart))
        memory.set(row, ++last - searchStart);
    const bool runGoesOn = last < length && takesByte(body, subject[last]);
    return last - at + (runGoesOn ? least : 0);
}

// Whether the one-byte node takes `byte` (a byte before the subject's end).
bool Matcher::takesByte(const unsigned char* node, unsigned char byte) const {
    switch (opcode(node)) {
    case OpAnyChar:
        return true;
    case OpAnyOf:
        return program.setOf(node).contains(byte);
    case OpAnyBut:
        return !program.setOf(node).contains(byte);
    case OpLiteral:
        return operand(node)[0] == byte;
    default:
        fail(QuillonError::BadCallOfRegrepeat, kRepeatLocation);
    }
}

// Writes the group slots of the successful path. The choice points on the
// stack, from the bottom up, are the decisions the path took, so walking the
// program again with them retraces it without a failure. The recursive
// formulation sets a slot at the innermost (that is, the last) visit of its
// group mark on the path, which is what overwriting on the way forward gives.
void Matcher::recordGroups(std::size_t start) {
    const unsigned char* const code = program.code;
    const char* const text = reinterpret_cast<const char*>(subject);
    const unsigned char* scan = program.firstNode();
    std::size_t in = start;
    std::size_t decision = 0;
    for (;;) {
        const unsigned char op = opcode(scan);
        const unsigned char* next = nextNode(scan);
        switch (op) {
        case OpEnd:
            return;
        case OpAnyChar:
        case OpAnyOf:
        case OpAnyBut:
            ++in;
            break;
        case OpLiteral:
            in += std::strlen(reinterpret_cast<const char*>(operand(scan)));
            break;
        case OpBranch:
            if (next != nullptr && opcode(next) == OpBranch)
                next = operand(code + frames[decision++].node);  // the alternative taken
            else
                next = operand(scan);
            break;
        case OpStar:
        case OpPlus:
            in += frames[decision].position;
            decision += 2;
            break;
        default:
            if (isGroupOpen(op))
                program.startp[op - OpGroupOpen] = text + in;
            else if (isGroupClose(op))
                program.endp[op - OpGroupClose] = text + in;
            break;
        }
        scan = next;
    }
}

// ---- regrepeat --------------------------------------------------------------

// The run of the leading repetition's node from `at`, as the attempt there
// counted it when it did.
std::size_t Matcher::leadingRun(std::size_t at) const {
    return at == leadingRunStart ? leadingRunLength : repeatCount(operand(leadingRepeat), at);
}

// How many times in a row the one-byte node matches from `from`. Set members
// and literal bytes are never NUL, so the terminator ends every run.
std::size_t Matcher::repeatCount(const unsigned char* node, std::size_t from) const {
    const unsigned char* const begin = subject + from;
    const unsigned char* at = begin;
    switch (opcode(node)) {
    case OpAnyChar:
        return length - from;
    case OpAnyOf: {
        const ByteSet& set = program.setOf(node);
        while (set.contains(*at)) ++at;
        break;
    }
    case OpAnyBut: {
        const ByteSet& set = program.setOf(node);
        while (*at != 0 && !set.contains(*at)) ++at;
        break;
    }
    case OpLiteral: {
        const unsigned char c = operand(node)[0];
        while (*at == c) ++at;
        break;
    }
    default:
        fail(QuillonError::BadCallOfRegrepeat, kRepeatLocation);
    }
    return static_cast<std::size_t>(at - begin);
}

}  // namespace regex
}  // namespace Korvane
