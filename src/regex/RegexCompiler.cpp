#include "regex/RegexCompiler.h"

#include <cstdlib>
#include <cstring>

#include "korvane/QuillonException.h"
#include "regex/RegexSearchAids.h"

namespace Korvane {
namespace regex {

namespace {

const char* const kCompileLocation = "RegularExpression::regcomp(param)";
const char* const kGroupCountLocation = "RegularExpression::reg(comp, bool, int)";
const char* const kRegLocation = "RegularExpression::reg(comp, bool, flags)";
const char* const kPieceLocation = "RegularException::regpiece(comp *cp, int *flagp)";
const char* const kAtomLocation = "RegularException::regatom(comp, flags)";

// The bytes that end a literal run.
const char* const kMetaCharacters = "^$.[()|?+*\\";

bool isRepeat(char c) { return c == '*' || c == '+' || c == '?'; }

[[noreturn]] void fail(QuillonError error, const char* location) {
    throw QuillonException(error, location, String());
}

void writeOffset(unsigned char* node, unsigned int offset) {
    node[1] = static_cast<unsigned char>((offset >> 8) & 0x7F);
    node[2] = static_cast<unsigned char>(offset & 0xFF);
}

}  // namespace

Compiler::Compiler(const char* pattern)
    : patternStart(pattern),
      parse(pattern),
      nextGroup(1),
      emit(nullptr),
      sizingNode{OpEmpty, 0, 0},
      size(0),
      emitStart(nullptr),
      setCount(0) {}

void Compiler::beginPass(unsigned char* code) {
    parse = patternStart;
    nextGroup = 1;
    emitStart = code;
    emit = code != nullptr ? code : sizingNode;
    size = 0;
    setCount = 0;
}

// ---- regcomp ----------------------------------------------------------------

Program* Compiler::compile(const char* pattern) {
    if (pattern == nullptr) fail(QuillonError::ParameterIsNull, kCompileLocation);

    Compiler compiler(pattern);
    int flags = 0;
    compiler.beginPass(nullptr);
    compiler.emitByte(kMagic);
    compiler.reg(false, flags);
    if (compiler.size >= kProgramSizeLimit) fail(QuillonError::RegularExpressionTooBig, kCompileLocation);

    const BlockLayout layout = blockLayout(static_cast<std::size_t>(compiler.size),
                                           static_cast<std::size_t>(compiler.setCount));
    void* block = std::calloc(1, layout.total);
    if (block == nullptr) fail(QuillonError::OutOfMemory, kCompileLocation);
    Program* program = static_cast<Program*>(block);
    program->blockSize = static_cast<std::uint32_t>(layout.total);
    program->codeSize = static_cast<std::uint32_t>(compiler.size);
    program->setsOffset = static_cast<std::uint32_t>(layout.setsOffset);
    program->indexOffset = static_cast<std::uint32_t>(layout.indexOffset);
    program->memoOffset = static_cast<std::uint32_t>(layout.memoOffset);

    // The first pass found every error, so this one cannot throw.
    compiler.beginPass(program->code);
    compiler.emitByte(kMagic);
    if (compiler.reg(false, flags) == nullptr) {
        std::free(block);
        return nullptr;
    }
    computeHints(*program, flags);
    buildSearchAids(*program);
    return program;
}

void Compiler::computeHints(Program& program, int topFlags) {
    program.regstart = 0;
    program.reganch = 0;
    program.regmust = nullptr;
    program.regmlen = 0;

    const unsigned char* scan = program.firstNode();  // the first OpBranch
    const unsigned char* after = nextNode(scan);
    if (after == nullptr || opcode(after) != OpEnd) return;  // several alternatives

    scan = operand(scan);
    if (opcode(scan) == OpLiteral)
        program.regstart = static_cast<char>(operand(scan)[0]);
    else if (opcode(scan) == OpLineStart)
        program.reganch = 1;

    // A pattern that starts with a repetition would otherwise try every
    // position; the longest literal on the main chain lets a search reject a
    // subject with one substring scan. Later literals win ties.
    if (topFlags & FlagStartsWithRepeat) {
        const unsigned char* longest = nullptr;
        std::size_t length = 0;
        for (; scan != nullptr; scan = nextNode(scan)) {
            if (opcode(scan) != OpLiteral) continue;
            const std::size_t candidate = std::strlen(reinterpret_cast<const char*>(operand(scan)));
            if (candidate >= length) {
                longest = operand(scan);
                length = candidate;
            }
        }
        program.regmust = reinterpret_cast<const char*>(longest);
        program.regmlen = static_cast<int>(length);
    }
}

// ---- reg: an alternation, at the top level or inside a group ---------------

unsigned char* Compiler::reg(bool group, int& flags) {
    flags = FlagHasWidth;

    int groupNumber = 0;
    unsigned char* result = nullptr;
    if (group) {
        if (nextGroup >= kSubExpressions) fail(QuillonError::TooManyParentheses, kGroupCountLocation);
        groupNumber = nextGroup++;
        result = emitNode(static_cast<unsigned char>(OpGroupOpen + groupNumber));
    }

    int branchFlags = 0;
    unsigned char* branch = regbranch(branchFlags);
    if (branch == nullptr) return nullptr;
    if (result != nullptr)
        link(result, branch);
    else
        result = branch;
    if (!(branchFlags & FlagHasWidth)) flags &= ~FlagHasWidth;
    flags |= branchFlags & FlagStartsWithRepeat;

    while (*parse == '|') {
        ++parse;
        branch = regbranch(branchFlags);
        if (branch == nullptr) return nullptr;
        link(result, branch);
        if (!(branchFlags & FlagHasWidth)) flags &= ~FlagHasWidth;
        flags |= branchFlags & FlagStartsWithRepeat;
    }

    unsigned char* ender =
        emitNode(static_cast<unsigned char>(group ? OpGroupClose + groupNumber : int(OpEnd)));
    link(result, ender);
    // Every alternative ends where the alternation ends.
    if (!sizing()) {
        for (unsigned char* node = result; node != nullptr;
             node = const_cast<unsigned char*>(nextNode(node)))
            linkOperand(node, ender);
    }

    if (group) {
        if (*parse++ != ')') fail(QuillonError::UnterminatedParentheses, kRegLocation);
    } else if (*parse != '\0') {
        fail(*parse == ')' ? QuillonError::UnterminatedParentheses : QuillonError::InternalError, kRegLocation);
    }
    return result;
}

// One alternative: an OpBranch followed by its pieces.
unsigned char* Compiler::regbranch(int& flags) {
    flags = FlagWorst;
    unsigned char* result = emitNode(OpBranch);
    unsigned char* chain = nullptr;
    while (*parse != '\0' && *parse != '|' && *parse != ')') {
        int pieceFlags = 0;
        unsigned char* latest = regpiece(pieceFlags);
        if (latest == nullptr) return nullptr;
        flags |= pieceFlags & FlagHasWidth;
        if (chain == nullptr)
            flags |= pieceFlags & FlagStartsWithRepeat;
        else
            link(chain, latest);
        chain = latest;
    }
    if (chain == nullptr) emitNode(OpEmpty);
    return result;
}

// ---- regpiece: an atom and its repetition -----------------------------------

unsigned char* Compiler::regpiece(int& flags) {
    int atomFlags = 0;
    unsigned char* atom = regatom(atomFlags);
    if (atom == nullptr) return nullptr;

    const char op = *parse;
    if (!isRepeat(op)) {
        flags = atomFlags;
        return atom;
    }
    if (!(atomFlags & FlagHasWidth) && op != '?') fail(QuillonError::RepeatOperandCouldBeEmpty, kPieceLocation);
    flags = op == '*' ? int(FlagStartsWithRepeat)
          : op == '+' ? int(FlagHasWidth | FlagStartsWithRepeat)
                      : int(FlagWorst);

    if (op == '*' && (atomFlags & FlagSimple)) {
        insertNode(OpStar, atom);
    } else if (op == '*') {
        // x* as (x<back to the branch> | <empty>).
        insertNode(OpBranch, atom);
        linkOperand(atom, emitNode(OpBack));
        linkOperand(atom, atom);
        link(atom, emitNode(OpBranch));
        link(atom, emitNode(OpEmpty));
    } else if (op == '+' && (atomFlags & FlagSimple)) {
        insertNode(OpPlus, atom);
    } else if (op == '+') {
        // x+ as x(<back to x> | <empty>).
        unsigned char* loop = emitNode(OpBranch);
        link(atom, loop);
        link(emitNode(OpBack), atom);
        link(loop, emitNode(OpBranch));
        link(atom, emitNode(OpEmpty));
    } else {
        // x? as (x | <empty>), both continuing at the empty node.
        insertNode(OpBranch, atom);
        link(atom, emitNode(OpBranch));
        unsigned char* empty = emitNode(OpEmpty);
        link(atom, empty);
        linkOperand(atom, empty);
    }

    ++parse;
    if (isRepeat(*parse)) fail(QuillonError::NestedRepeat, kPieceLocation);
    return atom;
}

// ---- regatom: one atom; its first byte is consumed -------------------------

unsigned char* Compiler::regatom(int& flags) {
    flags = FlagWorst;
    unsigned char* result = nullptr;

    switch (*parse++) {
    case '^':
        return emitNode(OpLineStart);
    case '$':
        return emitNode(OpLineEnd);
    case '.':
        flags = FlagHasWidth | FlagSimple;
        return emitNode(OpAnyChar);
    case '[':
        if (*parse == '^') {
            ++parse;
            result = emitNode(OpAnyBut);
        } else {
            result = emitNode(OpAnyOf);
        }
        regset();
        flags = FlagHasWidth | FlagSimple;
        return result;
    case '(': {
        int groupFlags = 0;
        result = reg(true, groupFlags);
        if (result == nullptr) return nullptr;
        flags |= groupFlags & (FlagHasWidth | FlagStartsWithRepeat);
        return result;
    }
    case '\0':
    case '|':
    case ')':
        fail(QuillonError::UnexpectedAtomStart, kAtomLocation);
    case '*':
    case '+':
    case '?':
        fail(QuillonError::RepeatFollowsNothing, kAtomLocation);
    case '\\':
        if (*parse == '\0') fail(QuillonError::TrailingBackslash, kAtomLocation);
        result = emitNode(OpLiteral);
        emitByte(static_cast<unsigned char>(*parse++));
        emitByte('\0');
        flags = FlagHasWidth | FlagSimple;
        return result;
    default:
        break;
    }

    // A literal run up to the next meta character.
    --parse;
    std::size_t length = std::strcspn(parse, kMetaCharacters);
    if (length == 0) fail(QuillonError::EmptyLiteralRun, kAtomLocation);
    // A repetition after the run applies to its last byte alone.
    if (length > 1 && isRepeat(parse[length])) --length;
    flags = FlagHasWidth;
    if (length == 1) flags |= FlagSimple;
    result = emitNode(OpLiteral);
    while (length-- > 0) emitByte(static_cast<unsigned char>(*parse++));
    emitByte('\0');
    return result;
}

// The members of a [set] after its opening bytes, then the closing NUL.
void Compiler::regset() {
    ++setCount;
    if (*parse == ']' || *parse == '-') emitByte(static_cast<unsigned char>(*parse++));
    while (*parse != '\0' && *parse != ']') {
        if (*parse != '-') {
            emitByte(static_cast<unsigned char>(*parse++));
            continue;
        }
        ++parse;
        if (*parse == ']' || *parse == '\0') {
            emitByte('-');
            continue;
        }
        // A range: its low end, the byte before the '-', is already a member.
        const unsigned int low = static_cast<unsigned char>(parse[-2]);
        const unsigned int high = static_cast<unsigned char>(*parse);
        if (low > high) fail(QuillonError::InvalidSetRange, kAtomLocation);
        for (unsigned int c = low + 1; c <= high; ++c) emitByte(static_cast<unsigned char>(c));
        ++parse;
    }
    emitByte('\0');
    if (*parse != ']') fail(QuillonError::UnmatchedBrackets, kAtomLocation);
    ++parse;
}

// ---- Emitting ---------------------------------------------------------------

unsigned char* Compiler::emitNode(unsigned char op) {
    if (sizing()) {
        size += kHeaderSize;
        return sizingNode;
    }
    unsigned char* node = emit;
    node[0] = op;
    node[1] = 0;
    node[2] = 0;
    emit += kHeaderSize;
    return node;
}

void Compiler::emitByte(unsigned char byte) {
    if (sizing()) {
        ++size;
        return;
    }
    *emit++ = byte;
}

void Compiler::insertNode(unsigned char op, unsigned char* before) {
    if (sizing()) {
        size += kHeaderSize;
        return;
    }
    std::memmove(before + kHeaderSize, before, static_cast<std::size_t>(emit - before));
    emit += kHeaderSize;
    before[0] = op;
    before[1] = 0;
    before[2] = 0;
}

void Compiler::link(unsigned char* chain, const unsigned char* target) {
    if (sizing()) return;
    unsigned char* last = chain;
    for (const unsigned char* next = nextNode(last); next != nullptr; next = nextNode(last))
        last = const_cast<unsigned char*>(next);
    const long offset = opcode(last) == OpBack ? last - target : target - last;
    writeOffset(last, static_cast<unsigned int>(offset));
}

void Compiler::linkOperand(unsigned char* branch, const unsigned char* target) {
    if (sizing() || branch == nullptr || opcode(branch) != OpBranch) return;
    link(branch + kHeaderSize, target);
}

}  // namespace regex
}  // namespace Korvane
