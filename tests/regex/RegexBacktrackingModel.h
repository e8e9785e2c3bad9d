// A model of the library's regular expressions written from the pattern
// language, shared by the regex tests and fuzz target: a recursive-descent
// parser that reports the same compile errors, and a continuation-passing
// backtracking matcher with leftmost-first order that remembers failures.
#pragma once

#include <bitset>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace regex_model {

struct Atom;
using Branch = std::vector<Atom>;
using Alternation = std::vector<Branch>;
struct Atom {
    char kind;  // '(', '.', '^', '$', '[' or 'c'
    char repeat = 0;  // 0, '*', '+' or '?'
    int group = 0;
    std::shared_ptr<Alternation> inner = nullptr;
    std::bitset<256> members = {};  // of a set (negation applied) or the one character
};

struct CompileError { int number; };

// The parser; `width` tells whether what was parsed never matches empty.
class Parser {
public:
    explicit Parser(const std::string& pattern) : p(pattern) {}
    Alternation top() {
        bool width;
        return reg(false, width);
    }

private:
    char peek() const { return at < p.size() ? p[at] : '\0'; }
    char take() { return at < p.size() ? p[at++] : '\0'; }

    Alternation reg(bool group, bool& width) {
        Alternation result;
        width = true;
        do {
            if (!result.empty()) ++at;  // the '|'
            Branch branch;
            bool branchWidth = false;
            while (peek() != '\0' && peek() != '|' && peek() != ')') branchWidth |= piece(branch);
            width &= branchWidth;
            result.push_back(branch);
        } while (peek() == '|');
        if (group && peek() != ')') throw CompileError{8};
        if (!group && peek() != '\0') throw CompileError{peek() == ')' ? 8 : 9};
        at += group;
        return result;
    }

    bool piece(Branch& branch) {
        bool width = atom(branch);
        const char op = peek();
        if (op != '*' && op != '+' && op != '?') return width;
        if (!width && op != '?') throw CompileError{10};
        branch.back().repeat = op;
        ++at;
        if (peek() == '*' || peek() == '+' || peek() == '?') throw CompileError{11};
        return op == '+';
    }

    bool atom(Branch& branch) {
        Atom a{'c'};
        const char c = take();
        bool width = true;
        switch (c) {
            case '^': case '$': a.kind = c; width = false; break;
            case '(':
                if (nextGroup >= 10) throw CompileError{7};
                a.kind = '(';
                a.group = nextGroup++;
                a.inner = std::make_shared<Alternation>(reg(true, width));
                break;
            case '\0': case '|': case ')': throw CompileError{14};
            case '*': case '+': case '?': throw CompileError{15};
            case '.': a.kind = '.'; break;
            case '[': set(a); break;
            case '\\':
                if (peek() == '\0') throw CompileError{16};
                a.members.set(static_cast<unsigned char>(take()));
                break;
            default: a.members.set(static_cast<unsigned char>(c)); break;
        }
        branch.push_back(a);
        return width;
    }

    void set(Atom& a) {
        a.kind = '[';
        const bool negated = peek() == '^';
        at += negated;
        if (peek() == ']' || peek() == '-') a.members.set(static_cast<unsigned char>(take()));
        for (char c; (c = take()) != ']';) {
            if (c == '\0') throw CompileError{13};
            const char high = peek();
            if (c != '-' || high == ']' || high == '\0') {
                a.members.set(static_cast<unsigned char>(c));
                continue;
            }
            const unsigned char low = static_cast<unsigned char>(p[at - 2]);
            if (low > static_cast<unsigned char>(high)) throw CompileError{12};
            for (unsigned int b = low; b <= static_cast<unsigned char>(high); ++b) a.members.set(b);
            ++at;
        }
        if (negated) a.members.flip();
    }

    std::string p;
    std::size_t at = 0;
    int nextGroup = 1;
};

struct Matcher {
    using Next = std::function<bool(long)>;
    const Alternation* program;
    const std::string* s;
    long start[10] = {}, end[10] = {}, searchStart = 0;
    // Every atom is always followed by the same continuation, so an atom
    // that failed at a position fails there again within one search (^ is
    // fixed by the search's start): remembering that keeps the model
    // polynomial on patterns such as ((a+)+)+b.
    std::set<std::pair<const Atom*, long>> failed = {};

    // Leftmost-first search from `from`; on success the slots describe the match.
    bool search(long from) {
        searchStart = from;
        failed.clear();
        for (long at = from; at <= static_cast<long>(s->size()); ++at) {
            std::fill(start, start + 10, -1), std::fill(end, end + 10, -1);
            if (alternation(*program, at, [&](long e) { return (end[0] = e) >= 0; })) return (start[0] = at) >= 0;
        }
        std::fill(start, start + 10, -1), std::fill(end, end + 10, -1);
        return false;
    }
    bool alternation(const Alternation& alt, long at, const Next& next) {
        for (const Branch& branch : alt)
            if (sequence(branch, 0, at, next)) return true;
        return false;
    }
    bool sequence(const Branch& atoms, std::size_t i, long at, const Next& next) {
        if (i == atoms.size()) return next(at);
        const Next rest = [&, i](long e) { return sequence(atoms, i + 1, e, next); };
        const Atom& a = atoms[i];
        switch (a.repeat) {
            case '?': return atom(a, at, rest) || rest(at);
            case '*': return star(a, at, rest);
            case '+': return atom(a, at, [&](long e) { return star(a, e, rest); });
            default: return atom(a, at, rest);
        }
    }
    // Greedy: one more iteration first (every repeated atom has width).
    bool star(const Atom& a, long at, const Next& next) {
        return atom(a, at, [&](long e) { return star(a, e, next); }) || next(at);
    }
    bool atom(const Atom& a, long at, const Next& next) {
        if (failed.count({&a, at})) return false;
        if (plainAtom(a, at, next)) return true;
        failed.insert({&a, at});
        return false;
    }
    bool plainAtom(const Atom& a, long at, const Next& next) {
        const bool more = at < static_cast<long>(s->size());
        switch (a.kind) {
            case '.': return more && next(at + 1);
            case '^': return at == searchStart && next(at);
            case '$': return !more && next(at);
            case '(': {
                const long oldStart = start[a.group];
                start[a.group] = at;
                if (alternation(*a.inner, at, [&](long e) {
                        const long oldEnd = end[a.group];
                        end[a.group] = e;
                        return next(e) || (end[a.group] = oldEnd, false);
                    }))
                    return true;
                start[a.group] = oldStart;
                return false;
            }
            default: return more && a.members[static_cast<unsigned char>((*s)[at])] && next(at + 1);
        }
    }
};

}  // namespace regex_model
