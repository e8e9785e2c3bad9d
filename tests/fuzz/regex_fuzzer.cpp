// RegularExpression against a model written from the pattern language: a
// recursive-descent parser that reports the same compile errors, and a
// continuation-passing backtracking matcher with leftmost-first order. One
// input gives the pattern, the subject, a substitution source and the
// sub-match indexes of a nextMatch walk. Compared after every step: whether
// a match was found, all ten sub-match slots (through the white-box view),
// getNumberSubExpressions, hasExpression, the text nextMatch hands out and
// its errors 1 and 2, and substitute. A copy answers as the original.
//
// Backtracking is exponential on patterns such as ((a+)+)+b, in the library
// and in the model alike, so patterns are cut to 32 bytes and subjects to 12,
// and an input whose model searches take more than a fixed number of steps
// (from any start) is only compiled against an empty subject: both engines
// backtrack in the same order, so the model's count bounds the library's work.
#include <bitset>
#include <functional>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexProgram.h"

using namespace Korvane;

namespace {

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

struct CompileError {
    int number;
};
struct TooMuchBacktracking {};

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
    long stepsLeft;  // negative: no budget
    long start[10] = {}, end[10] = {}, searchStart = 0;

    // Leftmost-first search from `from`; on success the slots describe the match.
    bool search(long from) {
        searchStart = from;
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
        if (stepsLeft >= 0 && stepsLeft-- == 0) throw TooMuchBacktracking{};
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

// substitute's model: '&' and \0..\9 give the slots' texts, \\ and \& the
// character; the source ends at its first NUL.
std::string regsub(const std::string& source, const std::string& subject, const Matcher& m) {
    std::string out;
    const std::string visible(source.c_str());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const char c = visible[i], d = i + 1 < visible.size() ? visible[i + 1] : '\0';
        const int slot = c == '&' ? 0 : c == '\\' && d >= '0' && d <= '9' ? d - '0' : -1;
        if (slot < 0) {
            out += c == '\\' && (d == '\\' || d == '&') ? visible[++i] : c;
            continue;
        }
        i += c == '\\';
        if (m.start[slot] >= 0 && m.end[slot] > m.start[slot]) out += subject.substr(m.start[slot], m.end[slot] - m.start[slot]);
    }
    return out;
}

void compareState(const RegularExpression& re, const Matcher& model, bool found) {
    FUZZ_CHECK(RegularExpressionInternals::matched(re) == found);
    FUZZ_CHECK(re.hasExpression() == (found && model.end[0] != model.start[0]));
    if (!found) return;
    const regex::Program* program = RegularExpressionInternals::program(re);
    const char* base = RegularExpressionInternals::subject(re);
    unsigned int set = 0;
    for (int i = 0; i < 10; ++i) {
        FUZZ_CHECK((program->startp[i] ? program->startp[i] - base : -1) == model.start[i]);
        FUZZ_CHECK((program->endp[i] ? program->endp[i] - base : -1) == model.end[i]);
        set += set == static_cast<unsigned int>(i) && model.start[i] >= 0;
    }
    FUZZ_CHECK(re.getNumberSubExpressions() == set);
}

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const QuillonException& e) {
        return e.getErrNo(0);
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string pattern = std::string(pieces.next().c_str()).substr(0, 32);
    const std::string subject = std::string(pieces.next().c_str()).substr(0, 12);
    const std::string source = pieces.next(), walk = pieces.next();

    int expectedError = 0;
    Alternation program;
    try {
        program = Parser(pattern).top();
    } catch (const CompileError& e) {
        expectedError = e.number;
    }
    if (expectedError == 0) {
        // Whether every search a walk can make stays within the budget.
        try {
            Matcher probe{&program, &subject, 200000};
            for (long from = 0; from <= static_cast<long>(subject.size()); ++from) probe.search(from);
        } catch (const TooMuchBacktracking&) {
            FUZZ_CHECK(errorOf([&] { RegularExpression(pattern.c_str(), ""); }) == 0);
            return 0;
        }
    }
    std::unique_ptr<RegularExpression> re;
    const int error = errorOf([&] { re.reset(new RegularExpression(pattern.c_str(), subject.c_str())); });
    if (error != expectedError) {
        std::fprintf(stderr, "pattern \"%s\": error %d, model %d\n", pattern.c_str(), error, expectedError);
        FUZZ_CHECK(false);
    }
    if (error != 0) return 0;

    Matcher model{&program, &subject, -1};
    bool found = model.search(0);
    compareState(*re, model, found);
    for (std::size_t step = 0; step < 8 && found; ++step) {
        const unsigned int index = step < walk.size() ? static_cast<unsigned char>(walk[step]) % 11 : 0;
        FUZZ_CHECK(korvane_fuzz::str(re->substitute(korvane_fuzz::text(source))) == regsub(source, subject, model));
        if (step == 2) {  // a copy carries on alike, the original gone
            std::unique_ptr<RegularExpression> copy(new RegularExpression(*re));
            re = std::move(copy);
            compareState(*re, model, found);
        }
        if (index >= 10 || model.start[index] < 0) {
            FUZZ_CHECK(errorOf([&] { re->nextMatch(index); }) == (index >= 10 ? 1 : 2));
            compareState(*re, model, found);
            continue;
        }
        const long start = model.start[index], end = model.end[index], previousEnd = model.end[0];
        FUZZ_CHECK(start <= end && end <= static_cast<long>(subject.size()));
        FUZZ_CHECK(korvane_fuzz::str(re->nextMatch(index)) == subject.substr(start, end - start));
        found = model.search(previousEnd);
        FUZZ_CHECK(!found || model.start[0] >= previousEnd);
        compareState(*re, model, found);
    }
    return 0;
}
