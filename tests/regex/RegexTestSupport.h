// Helpers shared by the regular-expression tests: random patterns and
// subjects, and running a search with its outcome as plain data.
#pragma once

#include <random>

#include "TestSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"

namespace korvane_test {

// Random patterns from a small grammar over the letters a, b, c, in the
// syntax that this library and POSIX extended expressions read the same way:
// no repetition of anchors or of a repetition, no braces, escapes of meta
// characters only, anchors only outside groups (glibc misplaces them inside
// groups, see the differential test). Without `repeatedGroups` no repetition
// applies to a group, so matching stays polynomial: such patterns suit long
// subjects.
class PatternGenerator {
public:
    PatternGenerator(std::uint32_t seed, bool repeatedGroups) : random(seed), repeatedGroups(repeatedGroups) {}

    std::string pattern() {
        groups = 0;
        return alternation(0);
    }

    // A subject over the same letters plus a few meta characters.
    std::string subject(unsigned int maxLength) {
        static const char alphabet[] = "aaabbbccc.*x\xE9";
        std::string s(pick(maxLength + 1), ' ');
        for (char& c : s) c = alphabet[pick(sizeof alphabet - 1)];
        return s;
    }

private:
    unsigned int pick(unsigned int n) { return static_cast<unsigned int>(random() % n); }

    std::string alternation(int depth) {
        std::string result = branch(depth);
        while (pick(4) == 0) result += "|" + branch(depth);
        return result;
    }

    std::string branch(int depth) {
        std::string result;
        const unsigned int pieces = pick(4) + (pick(6) == 0 ? 0 : 1);
        for (unsigned int i = 0; i < pieces; ++i) result += piece(depth);
        return result;
    }

    std::string piece(int depth) {
        std::string result = atom(depth);
        if (result == "^" || result == "$" || (!repeatedGroups && result[0] == '(')) return result;
        const unsigned int choice = pick(8);
        return choice < 3 ? result + "*+?"[choice] : result;
    }

    std::string atom(int depth) {
        static const char* const sets[] = {"[ab]", "[^a]", "\xE9", "[\xE0-\xEF]", "[^\xE9\x62]", "[a-c]", "[]a]",
                                           "[-b]", "[b-]", "[^bc]", "[.*]", "[a-a]", "[^-]"};
        static const char* const escapes[] = {"\\.", "\\*", "\\(", "\\|", "\\+"};
        switch (pick(depth < 3 ? 20 : 16)) {
        case 0: return ".";
        case 1: case 2: return sets[pick(13)];
        case 3: return escapes[pick(5)];
        case 4: return depth > 0 ? "a" : pick(2) ? "^" : "$";
        case 5: return "b";
        case 6: case 7: case 8: case 9: case 10: return std::string(1, "abc"[pick(3)]);
        case 11: case 12: return std::string("abc").substr(pick(3), 1 + pick(2));
        case 13: case 14: case 15: return "a";
        default:
            if (groups >= 9) return "c";
            ++groups;
            return "(" + alternation(depth + 1) + ")";
        }
    }

    std::mt19937 random;
    bool repeatedGroups;
    int groups = 0;
};

// The error a pattern is rejected with: 0 when it compiles, -1 for anything
// thrown that is not a QuillonException.
inline int compileError(const std::string& pattern) {
    try {
        Korvane::RegularExpression re(Korvane::String(pattern.c_str()), Korvane::String(""));
    } catch (const Korvane::QuillonException& e) {
        return e.getErrNo(0);
    } catch (...) {
        return -1;
    }
    return 0;
}

}  // namespace korvane_test
