// The recursive matcher, transcribed step by step from its description, as
// the oracle for the library's heap-stack matcher and its shortcuts. It reads
// the node code of a compiled program on its own (offsets, operands) and
// keeps its own sub-match slots; only short subjects are given to it, so its
// recursion stays shallow.
#pragma once

#include <cstring>
#include <stdexcept>

#include "regex/RegexProgram.h"

namespace korvane_test {

class ReferenceMatcher {
public:
    explicit ReferenceMatcher(const Korvane::regex::Program& program) : program(program) {
        clearSlots();
    }

    const char* startp[10];
    const char* endp[10];

    // regexec from `from`; slots stay as they were when the required literal
    // is missing.
    bool search(const char* from) {
        if (program.regmust != nullptr && std::strstr(from, program.regmust) == nullptr)
            return false;
        searchStart = from;
        if (program.reganch) return attempt(from);
        if (program.regstart != 0) {
            if (attempt(from)) return true;
            for (const char* s = from;
                 *s != '\0' && (s = std::strchr(s + 1, program.regstart)) != nullptr;)
                if (attempt(s)) return true;
            return false;
        }
        for (const char* s = from;; ++s) {
            if (attempt(s)) return true;
            if (*s == '\0') return false;
        }
    }

private:
    void clearSlots() {
        for (int i = 0; i < 10; ++i) startp[i] = endp[i] = nullptr;
    }

    bool attempt(const char* s) {
        input = s;
        clearSlots();
        if (!match(program.code + 1)) return false;
        startp[0] = s;
        endp[0] = input;
        return true;
    }

    static int op(const unsigned char* node) { return node[0]; }
    static const unsigned char* next(const unsigned char* node) {
        const int offset = ((node[1] & 0x7F) << 8) | node[2];
        if (offset == 0) return nullptr;
        return op(node) == 7 ? node - offset : node + offset;
    }
    static const char* operandText(const unsigned char* node) {
        return reinterpret_cast<const char*>(node + 3);
    }

    bool match(const unsigned char* scan) {
        while (scan != nullptr) {
            const unsigned char* following = next(scan);
            const int code = op(scan);
            switch (code) {
            case 0: return true;
            case 1: if (input != searchStart) return false; break;
            case 2: if (*input != '\0') return false; break;
            case 3: if (*input == '\0') return false; ++input; break;
            case 4:
                if (*input == '\0' || std::strchr(operandText(scan), *input) == nullptr) return false;
                ++input;
                break;
            case 5:
                if (*input == '\0' || std::strchr(operandText(scan), *input) != nullptr) return false;
                ++input;
                break;
            case 8: {
                const char* literal = operandText(scan);
                const std::size_t length = std::strlen(literal);
                if (*literal != *input) return false;
                if (length > 1 && std::strncmp(literal, input, length) != 0) return false;
                input += length;
                break;
            }
            case 9: case 7: break;
            case 6:
                if (following == nullptr || op(following) != 6) {
                    following = scan + 3;
                    break;
                }
                for (; scan != nullptr && op(scan) == 6; scan = next(scan)) {
                    const char* saved = input;
                    if (match(scan + 3)) return true;
                    input = saved;
                }
                return false;
            case 10: case 11: {
                const char lookahead =
                    following != nullptr && op(following) == 8 ? operandText(following)[0] : 0;
                const long least = code == 10 ? 0 : 1;
                const char* saved = input;
                for (long count = repeat(scan + 3); count >= least; --count) {
                    input = saved + count;
                    if (lookahead != 0 && *input != lookahead) continue;
                    if (match(following)) return true;
                }
                return false;
            }
            default:
                if (code > 20 && code < 30) {
                    const char* saved = input;
                    if (!match(following)) return false;
                    if (startp[code - 20] == nullptr) startp[code - 20] = saved;
                    return true;
                }
                if (code > 30 && code < 40) {
                    const char* saved = input;
                    if (!match(following)) return false;
                    if (endp[code - 30] == nullptr) endp[code - 30] = saved;
                    return true;
                }
                throw std::logic_error("corrupted program");
            }
            scan = following;
        }
        throw std::logic_error("corrupted pointers");
    }

    long repeat(const unsigned char* node) const {
        const char* s = input;
        switch (op(node)) {
        case 3: return static_cast<long>(std::strlen(s));
        case 4: return static_cast<long>(std::strspn(s, operandText(node)));
        case 5: return static_cast<long>(std::strcspn(s, operandText(node)));
        case 8: {
            long count = 0;
            while (s[count] == operandText(node)[0]) ++count;
            return count;
        }
        default: throw std::logic_error("bad repeat");
        }
    }

    const Korvane::regex::Program& program;
    const char* searchStart = nullptr;
    const char* input = nullptr;
};

}  // namespace korvane_test
