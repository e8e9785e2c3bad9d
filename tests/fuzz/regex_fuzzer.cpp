// RegularExpression against a model written from the pattern language: a
// recursive-descent parser that reports the same compile errors, and a
// continuation-passing backtracking matcher with leftmost-first order. One
// input gives the pattern, the subject, a substitution source and the
// sub-match indexes of a nextMatch walk. Compared after every step: whether
// a match was found, all ten sub-match slots (positions, through the
// white-box view), getNumberSubExpressions, hasExpression, the text
// nextMatch hands out and its errors 1 and 2, and substitute. Each match of
// the walk starts at or after the end of the one before and lies inside the
// subject. A copy taken during the walk carries on alike.
//
// Backtracking is exponential on patterns such as ((a+)+)+b, in the library
// and in the model alike, so patterns are cut to 32 bytes and subjects to 12,
// and an input whose model searches take more than a fixed number of steps
// (from any start) is only compiled against an empty subject: both engines
// backtrack in the same order, so the model's count bounds the library's work.
#include <cstring>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexProgram.h"

using namespace Korvane;

namespace {

// ---- The model -------------------------------------------------------------------------

enum { HAS_WIDTH = 1 };

struct Alternation;
struct Atom {
    enum Kind { GROUP, ANY, LINE_START, LINE_END, SET, CHAR } kind;
    int group = 0;
    std::shared_ptr<Alternation> inner;
    bool negated = false;
    bool members[256] = {};
    unsigned char c = 0;
};
struct Piece {
    Atom atom;
    char repeat = 0;  // 0, '*', '+' or '?'
};
struct Alternation {
    std::vector<std::vector<Piece>> branches;
};

struct CompileError {
    int number;
};

// Thrown by the model when a search takes more steps than its budget.
struct TooMuchBacktracking {};

class Parser {
public:
    explicit Parser(const std::string& pattern) : p(pattern) {}

    Alternation top() {
        int flags = 0;
        return reg(false, flags);
    }

private:
    char peek() const { return at < p.size() ? p[at] : '\0'; }
    char take() { return at < p.size() ? p[at++] : '\0'; }

    Alternation reg(bool group, int& flags) {
        flags = HAS_WIDTH;
        Alternation result;
        do {
            if (!result.branches.empty()) ++at;  // the '|'
            int branchFlags = 0;
            result.branches.push_back(branch(branchFlags));
            if (!(branchFlags & HAS_WIDTH)) flags &= ~HAS_WIDTH;
        } while (peek() == '|');
        if (group) {
            if (peek() != ')') throw CompileError{8};
            ++at;
        } else if (peek() != '\0') {
            throw CompileError{peek() == ')' ? 8 : 9};
        }
        return result;
    }

    std::vector<Piece> branch(int& flags) {
        std::vector<Piece> pieces;
        flags = 0;
        while (peek() != '\0' && peek() != '|' && peek() != ')') {
            int pieceFlags = 0;
            pieces.push_back(piece(pieceFlags));
            flags |= pieceFlags & HAS_WIDTH;
        }
        return pieces;
    }

    Piece piece(int& flags) {
        int atomFlags = 0;
        Piece result{atom(atomFlags)};
        const char op = peek();
        if (op != '*' && op != '+' && op != '?') {
            flags = atomFlags;
            return result;
        }
        if (!(atomFlags & HAS_WIDTH) && op != '?') throw CompileError{10};
        flags = op == '+' ? HAS_WIDTH : 0;
        result.repeat = op;
        ++at;
        if (peek() == '*' || peek() == '+' || peek() == '?') throw CompileError{11};
        return result;
    }

    Atom atom(int& flags) {
        Atom a;
        const char c = take();
        flags = HAS_WIDTH;
        switch (c) {
            case '^': a.kind = Atom::LINE_START; flags = 0; break;
            case '$': a.kind = Atom::LINE_END; flags = 0; break;
            case '(': {
                if (nextGroup >= 10) throw CompileError{7};
                a.kind = Atom::GROUP;
                a.group = nextGroup++;
                int groupFlags = 0;
                a.inner = std::make_shared<Alternation>(reg(true, groupFlags));
                flags = groupFlags & HAS_WIDTH;
                break;
            }
            case '\0': case '|': case ')': throw CompileError{14};
            case '*': case '+': case '?': throw CompileError{15};
            case '.': a.kind = Atom::ANY; break;
            case '[': set(a); break;
            case '\\':
                if (peek() == '\0') throw CompileError{16};
                a.kind = Atom::CHAR;
                a.c = static_cast<unsigned char>(take());
                break;
            default: a.kind = Atom::CHAR; a.c = static_cast<unsigned char>(c); break;
        }
        return a;
    }

    void set(Atom& a) {
        a.kind = Atom::SET;
        if (peek() == '^') {
            a.negated = true;
            ++at;
        }
        if (peek() == ']' || peek() == '-') a.members[static_cast<unsigned char>(take())] = true;
        for (;;) {
            const char c = take();
            if (c == '\0') throw CompileError{13};
            if (c == ']') return;
            if (c == '-') {
                const char high = peek();
                if (high == ']' || high == '\0') {
                    a.members[static_cast<unsigned char>('-')] = true;
                    continue;
                }
                const unsigned char low = static_cast<unsigned char>(p[at - 2]);
                if (low > static_cast<unsigned char>(high)) throw CompileError{12};
                for (unsigned int b = low + 1u; b <= static_cast<unsigned char>(high); ++b) a.members[b] = true;
                ++at;
                continue;
            }
            a.members[static_cast<unsigned char>(c)] = true;
        }
    }

    std::string p;
    std::size_t at = 0;
    int nextGroup = 1;
};

struct Slots {
    long start[10], end[10];
    void clear() {
        for (int i = 0; i < 10; ++i) start[i] = end[i] = -1;
    }
};

class Matcher {
public:
    Matcher(const Alternation& program, const std::string& subject, long budget = -1)
        : program(&program), s(&subject), stepsLeft(budget) {}

    // Leftmost-first search from `from`; on success `slots` describe the match.
    bool search(long from) {
        searchStart = from;
        for (long at = from; at <= static_cast<long>(s->size()); ++at) {
            slots.clear();
            long endAt = -1;
            if (alternation(*program, at, [&](long e) { endAt = e; return true; })) {
                slots.start[0] = at;
                slots.end[0] = endAt;
                return true;
            }
        }
        slots.clear();
        return false;
    }

    Slots slots;

private:
    using Next = std::function<bool(long)>;

    bool alternation(const Alternation& alt, long at, const Next& next) {
        for (const auto& branch : alt.branches)
            if (sequence(branch, 0, at, next)) return true;
        return false;
    }
    bool sequence(const std::vector<Piece>& pieces, std::size_t i, long at, const Next& next) {
        if (i == pieces.size()) return next(at);
        const Next rest = [&, i](long e) { return sequence(pieces, i + 1, e, next); };
        const Piece& piece = pieces[i];
        switch (piece.repeat) {
            case '?': return atom(piece.atom, at, rest) || rest(at);
            case '*': return star(piece.atom, at, rest);
            case '+': return atom(piece.atom, at, [&](long e) { return star(piece.atom, e, rest); });
            default: return atom(piece.atom, at, rest);
        }
    }
    // Greedy: one more iteration first (every repeated atom has width).
    bool star(const Atom& a, long at, const Next& next) {
        return atom(a, at, [&](long e) { return star(a, e, next); }) || next(at);
    }
    bool atom(const Atom& a, long at, const Next& next) {
        if (stepsLeft >= 0 && stepsLeft-- == 0) throw TooMuchBacktracking{};
        const bool more = at < static_cast<long>(s->size());
        const unsigned char c = more ? static_cast<unsigned char>((*s)[at]) : 0;
        switch (a.kind) {
            case Atom::ANY: return more && next(at + 1);
            case Atom::CHAR: return more && c == a.c && next(at + 1);
            case Atom::SET: return more && a.members[c] != a.negated && next(at + 1);
            case Atom::LINE_START: return at == searchStart && next(at);
            case Atom::LINE_END: return !more && next(at);
            case Atom::GROUP: {
                const long oldStart = slots.start[a.group];
                slots.start[a.group] = at;
                const bool found = alternation(*a.inner, at, [&](long e) {
                    const long oldEnd = slots.end[a.group];
                    slots.end[a.group] = e;
                    if (next(e)) return true;
                    slots.end[a.group] = oldEnd;
                    return false;
                });
                if (!found) slots.start[a.group] = oldStart;
                return found;
            }
        }
        return false;
    }

    const Alternation* program;
    const std::string* s;
    long searchStart = 0;
    long stepsLeft;  // negative: no budget
};

// Whether every search a walk can make (one from each position of the
// subject) stays within the budget.
bool backtrackingIsBounded(const Alternation& program, const std::string& subject) {
    try {
        Matcher probe(program, subject, 200000);
        for (long from = 0; from <= static_cast<long>(subject.size()); ++from) probe.search(from);
    } catch (const TooMuchBacktracking&) {
        return false;
    }
    return true;
}

std::string regsub(const std::string& source, const std::string& subject, const Slots& slots) {
    std::string out;
    const std::string visible(source.c_str());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const char c = visible[i];
        int reference = -1;
        if (c == '&') {
            reference = 0;
        } else if (c == '\\' && i + 1 < visible.size() && visible[i + 1] >= '0' && visible[i + 1] <= '9') {
            reference = visible[++i] - '0';
        } else if (c == '\\' && i + 1 < visible.size() && (visible[i + 1] == '\\' || visible[i + 1] == '&')) {
            out += visible[++i];
            continue;
        } else {
            out += c;
            continue;
        }
        const long start = slots.start[reference], end = slots.end[reference];
        if (start >= 0 && end >= 0 && end > start) out += subject.substr(start, end - start);
    }
    return out;
}

// ---- Comparison --------------------------------------------------------------------------

unsigned int setCount(const Slots& slots) {
    unsigned int n = 0;
    while (n < 10 && slots.start[n] >= 0) ++n;
    return n;
}

void compareState(const RegularExpression& re, const Matcher& model, bool found) {
    FUZZ_CHECK(RegularExpressionInternals::matched(re) == found);
    if (!found) {
        FUZZ_CHECK(!re.hasExpression());
        return;
    }
    const regex::Program* program = RegularExpressionInternals::program(re);
    const char* base = RegularExpressionInternals::subject(re);
    for (int i = 0; i < 10; ++i) {
        const long start = program->startp[i] ? program->startp[i] - base : -1;
        const long end = program->endp[i] ? program->endp[i] - base : -1;
        if (start != model.slots.start[i] || end != model.slots.end[i]) {
            std::fprintf(stderr, "slot %d: [%ld, %ld), model [%ld, %ld)\n", i, start, end,
                         model.slots.start[i], model.slots.end[i]);
            FUZZ_CHECK(false);
        }
    }
    FUZZ_CHECK(re.getNumberSubExpressions() == setCount(model.slots));
    FUZZ_CHECK(re.hasExpression() == (model.slots.end[0] != model.slots.start[0]));
}

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const QuillonException& e) {
        return e.getErrNo(0);
    }
    return 0;
}

void walkAndCompare(RegularExpression& re, Matcher model, bool found, const std::string& walk,
                    const std::string& source, const std::string& subject,
                    const std::function<void(const Matcher&, bool)>& onThirdStep) {
    for (std::size_t step = 0; step < 8 && found; ++step) {
        if (step == 2 && onThirdStep) onThirdStep(model, found);
        const unsigned int index = step < walk.size() ? static_cast<unsigned char>(walk[step]) % 11 : 0;
        FUZZ_CHECK(korvane_fuzz::str(re.substitute(korvane_fuzz::text(source))) ==
                   regsub(source, subject, model.slots));
        if (index >= 10) {
            FUZZ_CHECK(errorOf([&] { re.nextMatch(index); }) == 1);
            continue;
        }
        const long start = model.slots.start[index], end = model.slots.end[index];
        if (start < 0) {
            FUZZ_CHECK(errorOf([&] { re.nextMatch(index); }) == 2);
            compareState(re, model, found);
            continue;
        }
        FUZZ_CHECK(start <= end && end <= static_cast<long>(subject.size()));
        const String taken = re.nextMatch(index);
        FUZZ_CHECK(korvane_fuzz::str(taken) == subject.substr(start, end - start));
        const long previousEnd = model.slots.end[0];
        found = model.search(previousEnd);
        if (found) FUZZ_CHECK(model.slots.start[0] >= previousEnd);
        compareState(re, model, found);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string pattern = std::string(pieces.next().c_str()).substr(0, 32);
    const std::string subject = std::string(pieces.next().c_str()).substr(0, 12);
    const std::string source = pieces.next();
    const std::string walk = pieces.next();

    int expectedError = 0;
    Alternation program;
    try {
        program = Parser(pattern).top();
    } catch (const CompileError& e) {
        expectedError = e.number;
    }
    if (expectedError == 0 && !backtrackingIsBounded(program, subject)) {
        FUZZ_CHECK(errorOf([&] { RegularExpression(pattern.c_str(), ""); }) == 0);
        return 0;
    }
    RegularExpression* built = nullptr;
    const int error = errorOf([&] { built = new RegularExpression(pattern.c_str(), subject.c_str()); });
    if (error != expectedError) {
        std::fprintf(stderr, "pattern \"%s\": error %d, model %d\n", pattern.c_str(), error, expectedError);
        FUZZ_CHECK(false);
    }
    if (error != 0) return 0;
    std::unique_ptr<RegularExpression> re(built);

    Matcher model(program, subject);
    const bool found = model.search(0);
    compareState(*re, model, found);

    // The walk; a copy taken at its third step is walked again with the same
    // indexes after the original is gone.
    std::unique_ptr<RegularExpression> copy;
    Matcher copyModel = model;
    bool copyFound = false;
    walkAndCompare(*re, model, found, walk, source, subject, [&](const Matcher& m, bool f) {
        copy = std::make_unique<RegularExpression>(*re);
        copyModel = m;
        copyFound = f;
    });
    re.reset();
    if (copy) walkAndCompare(*copy, copyModel, copyFound, walk.substr(std::min<std::size_t>(2, walk.size())), source, subject, nullptr);
    return 0;
}
