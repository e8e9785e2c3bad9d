// The compiled form of a regular expression: a node program with its search
// hints, in one block owned by a RegularExpression.
//
// Layout of the node code: byte 0 is the magic 0x9C; every node is a 3-byte
// header (opcode, then a 15-bit big-endian next offset) followed by its
// operand. An offset of 0 means "no next node"; OpBack's offset counts
// backwards, every other one forwards. The code never exceeds 32766 bytes.
// Behind the code the block keeps tables derived from it (byte sets as
// bitmaps, the bytes a match can start with, the nodes whose failures a
// search remembers) that only make searching faster.
#pragma once

#include <cstddef>
#include <cstdint>

#include "korvane/RegularExpression.h"

namespace Korvane {
namespace regex {

enum Opcode : unsigned char {
    OpEnd = 0,
    OpLineStart = 1,
    OpLineEnd = 2,
    OpAnyChar = 3,
    OpAnyOf = 4,
    OpAnyBut = 5,
    OpBranch = 6,
    OpBack = 7,
    OpLiteral = 8,
    OpEmpty = 9,
    OpStar = 10,
    OpPlus = 11,
    OpGroupOpen = 20,   // plus the group number 1 to 9
    OpGroupClose = 30,  // plus the group number 1 to 9
};

// What a compiled piece of program promises about itself.
enum NodeFlags : int {
    FlagWorst = 0,
    FlagHasWidth = 1,          // never matches the empty string
    FlagSimple = 2,            // one node that consumes exactly one byte
    FlagStartsWithRepeat = 4,  // begins with a * or + repetition
};

constexpr int kSubExpressions = 10;        // slot 0 and groups 1 to 9
constexpr unsigned char kMagic = 0x9C;
constexpr long kProgramSizeLimit = 32767;  // code size, magic byte included
constexpr int kHeaderSize = 3;
constexpr int kStartPairs = 4;  // the most two-byte starts a program keeps

// A set of byte values as a 256-bit map.
struct ByteSet {
    std::uint64_t bits[4];

    void clear() { bits[0] = bits[1] = bits[2] = bits[3] = 0; }
    void fill() { bits[0] = bits[1] = bits[2] = bits[3] = ~std::uint64_t(0); }
    void add(unsigned char c) { bits[c >> 6] |= std::uint64_t(1) << (c & 63); }
    bool contains(unsigned char c) const { return (bits[c >> 6] >> (c & 63)) & 1; }
    void unite(const ByteSet& other) {
        for (int i = 0; i < 4; ++i) bits[i] |= other.bits[i];
    }
};

// ---- Node access ----------------------------------------------------------

inline unsigned char opcode(const unsigned char* node) { return node[0]; }

inline unsigned int nextOffset(const unsigned char* node) {
    return ((node[1] & 0x7F) << 8) | node[2];
}

inline const unsigned char* operand(const unsigned char* node) { return node + kHeaderSize; }

// The node that follows `node`, or null when its offset is 0.
inline const unsigned char* nextNode(const unsigned char* node) {
    const unsigned int offset = nextOffset(node);
    if (offset == 0) return nullptr;
    return opcode(node) == OpBack ? node - offset : node + offset;
}

inline bool isGroupOpen(unsigned char op) { return op > OpGroupOpen && op < OpGroupOpen + 10; }
inline bool isGroupClose(unsigned char op) {
    return op > OpGroupClose && op < OpGroupClose + 10;
}

// The block behind RegularExpression::prog. The first fields are the
// compiled program proper; the derived search aids and the tables behind the
// code exist for speed alone and are computed from the code at compile time.
struct Program {
    // Sub-match slots: pointers into the owner's subject, null when not set.
    const char* startp[regex::kSubExpressions];
    const char* endp[regex::kSubExpressions];
    char regstart;        // every match begins with this byte, when not 0
    char reganch;         // 1: a match can only begin where the search starts
    const char* regmust;  // a literal inside `code` that every match contains
    int regmlen;          // its length

    // ---- Derived search aids ----
    // Bytes that can begin a match; usable only when the program cannot match
    // the empty string (`canBeEmpty` false) and the analysis finished.
    regex::ByteSet startSet;
    bool startSetUsable;
    // The same bytes as a NUL-terminated string when there are at most 16 of
    // them, for scans that look for so few with vector instructions; empty
    // otherwise.
    char startBytes[17];
    unsigned char startByteCount;  // bytes in startBytes
    // When every match begins with a literal of at least two bytes and there
    // are at most kStartPairs different first two bytes: those pairs.
    unsigned char startPairs[kStartPairs][2];
    unsigned char startPairCount;  // 0: no pairs known
    // The single alternative begins with OpStar or OpPlus over a simple node:
    // a failed attempt then rules out every start inside the run it counted.
    bool leadsWithRepeat;
    // The code holds group marks (without them a match has no slots to write
    // beyond the whole match).
    bool hasGroups;
    std::uint32_t blockSize;  // bytes of the whole block
    std::uint32_t codeSize;   // bytes of `code`, magic included
    std::uint32_t setsOffset; // block offset of the ByteSet table
    std::uint32_t indexOffset;// block offset of the uint16 set index per code byte
    std::uint32_t memoOffset; // block offset of the uint16 memo row per code byte
    // The nodes whose failed continuations a search may remember (see
    // Matcher): every repetition, every branch with a choice and every node
    // that more than one node leads to. Each has a memo row from 1 up.
    std::uint16_t memoRows;

    unsigned char code[1];  // the node code; the block extends past this array

    // The bitmap of the OpAnyOf / OpAnyBut node at `node` (the set as listed
    // in the operand, without complement).
    const regex::ByteSet& setOf(const unsigned char* node) const {
        const auto* index = reinterpret_cast<const std::uint16_t*>(
            reinterpret_cast<const unsigned char*>(this) + indexOffset);
        const auto* sets = reinterpret_cast<const regex::ByteSet*>(
            reinterpret_cast<const unsigned char*>(this) + setsOffset);
        return sets[index[node - code]];
    }

    // The memo row of the node at `node`, or 0 for a node whose failures are
    // not remembered (or a position off the code).
    std::uint16_t memoRowOf(const unsigned char* node) const {
        const std::size_t at = static_cast<std::size_t>(node - code);
        if (at >= codeSize) return 0;
        return reinterpret_cast<const std::uint16_t*>(
            reinterpret_cast<const unsigned char*>(this) + memoOffset)[at];
    }

    // The first node after the magic byte.
    const unsigned char* firstNode() const { return code + 1; }
};

}  // namespace regex

// RegularExpression's handle on its program: the same block (the compiler
// allocates it raw and only ever writes it through the fields above).
struct RegularExpression::Program : regex::Program {};

// The white-box view used by the tests: the program an object holds.
struct RegularExpressionInternals {
    static const regex::Program* program(const RegularExpression& re) { return re.prog; }
    static regex::Program* mutableProgram(RegularExpression& re) { return re.prog; }
    static const char* subject(const RegularExpression& re) { return re.subjectText(); }
    static bool matched(const RegularExpression& re) { return re.matched; }
};

}  // namespace Korvane
