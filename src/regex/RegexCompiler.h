// The two-pass compiler from pattern bytes to a node program.
//
// The first pass parses the whole pattern and only counts the bytes the code
// will take (and finds every error); the second parses it again and writes
// the nodes into a block allocated at exactly that size. The parser is the
// classic recursive descent over alternation, piece and atom; its depth is
// bounded by the nine groups a pattern may open.
#pragma once

#include "regex/RegexProgram.h"

namespace Korvane {
namespace regex {

class Compiler {
public:
    // The program for the NUL-terminated `pattern`, in a block the caller
    // releases with std::free; its sub-match slots are all null. Throws the
    // compile errors 4 to 17 as QuillonException.
    static Program* compile(const char* pattern);

private:
    explicit Compiler(const char* pattern);

    // ---- Parsing (each returns the first node of what it built) -----------
    unsigned char* reg(bool group, int& flags);
    unsigned char* regbranch(int& flags);
    unsigned char* regpiece(int& flags);
    unsigned char* regatom(int& flags);
    void regset();

    // ---- Emitting (counting only, during the sizing pass) -----------------
    unsigned char* emitNode(unsigned char op);
    void emitByte(unsigned char byte);
    void insertNode(unsigned char op, unsigned char* before);
    void link(unsigned char* chain, const unsigned char* target);
    void linkOperand(unsigned char* branch, const unsigned char* target);

    // Starts a pass over the pattern: sizing when `code` is null.
    void beginPass(unsigned char* code);
    bool sizing() const { return emitStart == nullptr; }

    static void computeHints(Program& program, int topFlags);

    const char* const patternStart;
    // The compile state: parse position, next group number, emit position,
    // the stand-in node of the sizing pass and the size counter. The size is
    // counted in a long so that a huge pattern reaches error 5 rather than
    // overflowing.
    const char* parse;
    int nextGroup;
    unsigned char* emit;
    unsigned char sizingNode[kHeaderSize];
    long size;
    unsigned char* emitStart;  // null during the sizing pass
    long setCount;             // byte-set atoms, for the derived tables
};

}  // namespace regex
}  // namespace Korvane
