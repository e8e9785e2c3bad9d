#include "regex/RegexSearchAids.h"

#include <cstring>

namespace Korvane {
namespace regex {

namespace {

// The start-byte analysis follows every alternative; this many node visits
// are plenty for real patterns and keep patterns such as a?a?a?...a? (whose
// paths multiply) cheap to compile. Past it the analysis gives up and the
// search simply tries every position.
constexpr int kAnalysisBudget = 4096;
constexpr int kAnalysisDepth = 64;

const unsigned char* operandText(const unsigned char* node) { return operand(node); }

std::size_t operandLength(const unsigned char* node) {
    return std::strlen(reinterpret_cast<const char*>(operandText(node)));
}

// Adds to `set` the bytes the one-byte node `node` can consume.
void addSimpleNode(const Program& program, const unsigned char* node, ByteSet& set) {
    switch (opcode(node)) {
    case OpLiteral:
        set.add(operandText(node)[0]);
        break;
    case OpAnyOf:
        set.unite(program.setOf(node));
        break;
    case OpAnyBut: {
        const ByteSet& excluded = program.setOf(node);
        for (int i = 0; i < 4; ++i) set.bits[i] |= ~excluded.bits[i];
        break;
    }
    default:
        set.fill();
        break;
    }
}

// What a match must begin with: the set of first bytes, and when every
// match begins with a literal of two bytes or more, the first two bytes of
// those literals (when there are few of them).
class StartAnalysis {
public:
    explicit StartAnalysis(const Program& program) : program(program) { set.clear(); }

    // Adds what a match of the chain starting at `node` can begin with.
    // Returns true when the chain may also succeed without consuming
    // anything, or when the analysis gave up (then `set` is full). ^ and $
    // are treated as always matching, which only widens the result.
    bool add(const unsigned char* node, int depth) {
        while (node != nullptr) {
            if (--budget < 0 || depth > kAnalysisDepth) return giveUp();
            const unsigned char op = opcode(node);
            switch (op) {
            case OpEnd:
                return true;
            case OpLiteral:
                addSimpleNode(program, node, set);
                if (operandText(node)[1] != 0)
                    addPair(operandText(node)[0], operandText(node)[1]);
                else
                    pairsUsable = false;
                return false;
            case OpAnyChar:
            case OpAnyOf:
            case OpAnyBut:
                addSimpleNode(program, node, set);
                pairsUsable = false;
                return false;
            case OpPlus:
                addSimpleNode(program, operand(node), set);
                pairsUsable = false;
                return false;
            case OpStar:
                addSimpleNode(program, operand(node), set);
                pairsUsable = false;
                node = nextNode(node);
                continue;
            case OpBranch: {
                const unsigned char* next = nextNode(node);
                if (next == nullptr || opcode(next) != OpBranch) {
                    node = operand(node);
                    continue;
                }
                bool empty = false;
                for (const unsigned char* alternative = node;
                     alternative != nullptr && opcode(alternative) == OpBranch;
                     alternative = nextNode(alternative))
                    empty |= add(operand(alternative), depth + 1);
                return empty;
            }
            default:
                if (op <= OpPlus || isGroupOpen(op) || isGroupClose(op)) {
                    node = nextNode(node);  // ^, $, empty, back and group marks
                    continue;
                }
                return giveUp();
            }
        }
        return giveUp();
    }

    ByteSet set;
    unsigned char pairs[kStartPairs][2];
    int pairCount = 0;
    bool pairsUsable = true;

private:
    bool giveUp() {
        set.fill();
        pairsUsable = false;
        return true;
    }

    void addPair(unsigned char first, unsigned char second) {
        for (int i = 0; i < pairCount; ++i)
            if (pairs[i][0] == first && pairs[i][1] == second) return;
        if (pairCount == kStartPairs) {
            pairsUsable = false;
            return;
        }
        pairs[pairCount][0] = first;
        pairs[pairCount][1] = second;
        ++pairCount;
    }

    const Program& program;
    int budget = kAnalysisBudget;
};

// The offset of the node after `node` in the code: its header, then the
// bytes of a literal or set; any other operand is a node of its own.
std::uint32_t followingNode(const Program& program, std::uint32_t at) {
    const unsigned char* node = program.code + at;
    const unsigned char op = opcode(node);
    at += kHeaderSize;
    if (op == OpLiteral || op == OpAnyOf || op == OpAnyBut)
        at += static_cast<std::uint32_t>(operandLength(node)) + 1;
    return at;
}

// Gives a memo row to each node where a failed continuation is worth
// remembering: the repetitions and the branches with a choice (where paths
// fork) and the nodes that several nodes lead to (where they meet again).
// Every other node has one way in, so remembering these bounds the visits of
// every node. The match runs from a branch to its first alternative, from a
// repetition and any other node to its next.
void numberMemoRows(Program& program) {
    auto* rows = reinterpret_cast<std::uint16_t*>(reinterpret_cast<unsigned char*>(&program) +
                                                  program.memoOffset);
    // First the number of ways into each node (the table counts them, then
    // holds the rows).
    const std::uint32_t first = static_cast<std::uint32_t>(program.firstNode() - program.code);
    rows[first] = 1;
    for (std::uint32_t at = first; at < program.codeSize; at = followingNode(program, at)) {
        const unsigned char* node = program.code + at;
        const unsigned char* target = opcode(node) == OpBranch ? operand(node) : nextNode(node);
        if (target == nullptr) continue;
        const std::size_t targetAt = static_cast<std::size_t>(target - program.code);
        if (targetAt < program.codeSize && rows[targetAt] < 2) ++rows[targetAt];
    }
    std::uint16_t row = 0;
    for (std::uint32_t at = first; at < program.codeSize; at = followingNode(program, at)) {
        const unsigned char* node = program.code + at;
        const unsigned char op = opcode(node);
        const unsigned char* next = nextNode(node);
        const bool choice = op == OpStar || op == OpPlus ||
                            (op == OpBranch && next != nullptr && opcode(next) == OpBranch);
        const bool remembered = rows[at] > 0 && op != OpEnd && (choice || rows[at] > 1);
        rows[at] = remembered ? ++row : 0;
    }
    program.memoRows = row;
}

}  // namespace

BlockLayout blockLayout(std::size_t codeSize, std::size_t setCount) {
    BlockLayout layout;
    const std::size_t codeEnd = offsetof(Program, code) + codeSize;
    layout.setsOffset = (codeEnd + alignof(ByteSet) - 1) / alignof(ByteSet) * alignof(ByteSet);
    layout.indexOffset = layout.setsOffset + setCount * sizeof(ByteSet);
    layout.memoOffset = layout.indexOffset + codeSize * sizeof(std::uint16_t);
    layout.total = layout.memoOffset + codeSize * sizeof(std::uint16_t);
    if (layout.total < sizeof(Program)) layout.total = sizeof(Program);
    return layout;
}

void buildSearchAids(Program& program) {
    unsigned char* block = reinterpret_cast<unsigned char*>(&program);
    auto* sets = reinterpret_cast<ByteSet*>(block + program.setsOffset);
    auto* index = reinterpret_cast<std::uint16_t*>(block + program.indexOffset);

    // Nodes lie one after another; a repetition's operand is simply the next
    // node in the code, so one linear walk meets every set.
    std::uint16_t setNumber = 0;
    program.hasGroups = false;
    for (std::uint32_t at = 1; at < program.codeSize; at = followingNode(program, at)) {
        const unsigned char* node = program.code + at;
        const unsigned char op = opcode(node);
        if (isGroupOpen(op)) program.hasGroups = true;
        if (op == OpAnyOf || op == OpAnyBut) {
            ByteSet& set = sets[setNumber];
            set.clear();
            for (const unsigned char* member = operandText(node); *member != 0; ++member)
                set.add(*member);
            index[at] = setNumber++;
        }
    }

    numberMemoRows(program);

    StartAnalysis analysis(program);
    const bool canBeEmpty = analysis.add(program.firstNode(), 0);
    program.startSet = analysis.set;
    program.startSetUsable = !canBeEmpty;
    program.startPairCount = 0;
    if (program.startSetUsable && analysis.pairsUsable) {
        program.startPairCount = static_cast<unsigned char>(analysis.pairCount);
        std::memcpy(program.startPairs, analysis.pairs, sizeof analysis.pairs);
    }

    int count = 0;
    for (int c = 1; c < 256 && count <= 16; ++c)
        if (program.startSet.contains(static_cast<unsigned char>(c))) {
            if (count < 16) program.startBytes[count] = static_cast<char>(c);
            ++count;
        }
    program.startBytes[count <= 16 ? count : 0] = '\0';
    program.startByteCount = static_cast<unsigned char>(count <= 16 ? count : 0);

    program.leadsWithRepeat = false;
    const unsigned char* top = program.firstNode();
    const unsigned char* after = nextNode(top);
    if (after != nullptr && opcode(after) == OpEnd) {
        const unsigned char op = opcode(operand(top));
        program.leadsWithRepeat = op == OpStar || op == OpPlus;
    }
}

}  // namespace regex
}  // namespace Korvane
