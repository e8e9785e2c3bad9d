// Growth of the text classes: String, ByteArray, BoolArray, IntArray,
// StringTokenizer and UTF8String, each beside the standard library, libc,
// OpenSSL or iconv doing the same work.
#include <iconv.h>
#include <openssl/crypto.h>
#include <string.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GrowthSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/IntArray.h"
#include "korvane/String.h"
#include "korvane/StringTokenizer.h"
#include "korvane/UTF8String.h"

using namespace Korvane;

namespace growth {

namespace {

String text(const std::string& s) { return String(std::string_view(s)); }
ByteArray bytes(const std::string& s) { return ByteArray(s.data(), static_cast<unsigned int>(s.size())); }
// Letters with a comma every 8th and a backslash every 50th character.
std::string escapable(std::size_t n) {
    std::string s = randomLetters(n);
    for (std::size_t i = 7; i < n; i += 8) s[i] = ',';
    for (std::size_t i = 49; i < n; i += 50) s[i] = '\\';
    return s;
}

std::string plainEscape(const std::string& in) {
    std::string out;
    out.reserve(2 * in.size());
    for (const char c : in) {
        if (c == '\\') {
            out += "\\\\";
            continue;
        }
        if (c == ',' || c == '+' || c == '\0') out += '\\';
        out += c;
    }
    return out;
}

std::string plainRemoveEscapes(const std::string& in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
        } else if (i + 1 < in.size() && in[i + 1] == '\\') {
            out += '\\';
            ++i;
        }
    }
    return out;
}

std::string convert(iconv_t converter, const std::string& in) {
    std::string out(2 * in.size() + 1, '\0');
    char* from = const_cast<char*>(in.data());
    std::size_t left = in.size();
    char* to = &out[0];
    std::size_t room = out.size();
    iconv(converter, &from, &left, &to, &room);
    out.resize(out.size() - room);
    return out;
}

// "1.2.840.113549..." with `n` numbers of one to six digits.
std::string dottedNumbers(std::size_t n) {
    std::string s;
    unsigned int x = 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (i != 0) s += '.';
        x = x * 1103515245u + 12345u;
        s += std::to_string((x >> 8) % 1000000u);
    }
    return s;
}

std::string bitText(std::size_t n) {
    std::string s = randomBytes(n);
    for (char& c : s) c = (c & 1) ? '1' : '0';
    return s;
}

void addStringBenchmarks(std::size_t last) {
    const std::size_t first = kFirstElements;
    add("StringAppendChar", "Korvane", first, last, [](std::size_t n) {
        return [n] {
            String s;
            for (std::size_t i = 0; i < n; ++i) s += 'x';
            keep(s);
        };
    });
    add("StringAppendChar", "std::string", first, last, [](std::size_t n) {
        return [n] {
            std::string s;
            for (std::size_t i = 0; i < n; ++i) s += 'x';
            keep(s);
        };
    });
    add("StringConcatenate", "Korvane", first, last, [](std::size_t n) {
        return [a = text(randomLetters(n / 2)), b = text(randomLetters(n - n / 2, 2))] { keep(a + b); };
    });
    add("StringConcatenate", "std::string", first, last, [](std::size_t n) {
        return [a = randomLetters(n / 2), b = randomLetters(n - n / 2, 2)] { keep(a + b); };
    });
    // A needle whose prefix repeats all over the text: hard for a naive search.
    const auto haystack = [](std::size_t n) { return std::string(n, 'a') + "aaaaaaab"; };
    add("StringFind", "Korvane", first, last, [haystack](std::size_t n) {
        return [s = text(haystack(n)), needle = String("aaaaaaab")] { keep(s.find(needle)); };
    });
    add("StringFind", "strstr", first, last, [haystack](std::size_t n) {
        return [s = haystack(n)] { keep(std::strstr(s.c_str(), "aaaaaaab")); };
    });
    add("StringFindCaseless", "Korvane", first, last, [haystack](std::size_t n) {
        return [s = text(haystack(n)), needle = String("AAAAAAAB")] { keep(s.findi(needle, 0)); };
    });
    add("StringFindCaseless", "strcasestr", first, last, [haystack](std::size_t n) {
        return [s = haystack(n)] { keep(strcasestr(s.c_str(), "AAAAAAAB")); };
    });
    const auto between = [](std::size_t n) { return randomLetters(n / 2) + "(" + randomLetters(n / 2, 2) + ")"; };
    add("StringBetween", "Korvane", first, last, [between](std::size_t n) {
        return [s = text(between(n))] { keep(s.substring(String("("), String(")"))); };
    });
    add("StringBetween", "std::string", first, last, [between](std::size_t n) {
        return [s = between(n)] {
            const std::size_t open = s.find('(');
            keep(s.substr(open + 1, s.find(')', open) - open - 1));
        };
    });
    const auto upper = [](std::size_t n) {
        std::string s = randomLetters(n);
        for (char& c : s) c = static_cast<char>(c - 'a' + 'A');
        return s;
    };
    add("StringToLower", "Korvane", first, last, [upper](std::size_t n) {
        return [s = text(upper(n))] { keep(static_cast<const String&>(s).toLower()); };
    });
    add("StringToLower", "std::string", first, last, [upper](std::size_t n) {
        return [s = upper(n)] {
            std::string lower(s);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
            keep(lower);
        };
    });
    const auto spaced = [](std::size_t n) {
        std::string s = randomLetters(n);
        for (std::size_t i = 0; i < n; i += 5) s[i] = i % 2 ? ' ' : ',';
        return s;
    };
    add("StringRemoveSet", "Korvane", first, last, [spaced](std::size_t n) {
        return [s = text(spaced(n)), set = String(" ,")] {
            String copy(s);
            copy.remove(set);
            keep(copy);
        };
    });
    add("StringRemoveSet", "std::string", first, last, [spaced](std::size_t n) {
        return [s = spaced(n)] {
            std::string copy(s);
            copy.erase(std::remove_if(copy.begin(), copy.end(), [](char c) { return std::strchr(" ,", c) != nullptr; }),
                       copy.end());
            keep(copy);
        };
    });
    add("StringRemoveLeadingWhites", "Korvane", first, last, [](std::size_t n) {
        return [s = text(std::string(n, ' ') + "x")] {
            String copy(s);
            copy.removeLeadingWhites();
            keep(copy);
        };
    });
    add("StringRemoveLeadingWhites", "std::string", first, last, [](std::size_t n) {
        return [s = std::string(n, ' ') + "x"] {
            std::string copy(s);
            copy.erase(0, copy.find_first_not_of(" \t\f\v\r\n"));
            keep(copy);
        };
    });
    const auto returns = [](std::size_t n) {
        std::string s = "x";
        for (std::size_t i = 0; i < n / 2; ++i) s += "\r\n";
        return s;
    };
    add("StringRemoveTrailingReturns", "Korvane", first, last, [returns](std::size_t n) {
        return [s = text(returns(n))] {
            String copy(s);
            copy.removeTrailingReturns();
            keep(copy);
        };
    });
    add("StringRemoveTrailingReturns", "std::string", first, last, [returns](std::size_t n) {
        return [s = returns(n)] {
            std::string copy(s);
            copy.resize(copy.find_last_not_of("\r\n") + 1);
            keep(copy);
        };
    });
    add("StringCompare", "Korvane", first, last, [](std::size_t n) {
        return [a = text(randomLetters(n)), b = text(randomLetters(n))] { keep(a == b); };
    });
    add("StringCompare", "strcmp", first, last, [](std::size_t n) {
        return [a = randomLetters(n), b = randomLetters(n)] { keep(std::strcmp(a.c_str(), b.c_str())); };
    });
    add("StringEscape", "Korvane", first, last, [](std::size_t n) {
        return [s = text(escapable(n)), specials = String(",+"), escape = String("\\")] {
            String copy(s);
            copy.escapeString(specials, escape);
            keep(copy);
        };
    });
    add("StringEscape", "plain loop", first, last, [](std::size_t n) {
        return [s = escapable(n)] { keep(plainEscape(s)); };
    });
    add("StringRemoveEscapes", "Korvane", first, last, [](std::size_t n) {
        return [s = text(plainEscape(escapable(n))), escapes = String("\\")] {
            String copy(s);
            copy.removeEscapes(escapes);
            keep(copy);
        };
    });
    add("StringRemoveEscapes", "plain loop", first, last, [](std::size_t n) {
        return [s = plainEscape(escapable(n))] { keep(plainRemoveEscapes(s)); };
    });
    add("StringFormat", "Korvane", first, last, [](std::size_t n) {
        return [s = randomLetters(n)] { keep(String::formatString("<%s>", s.c_str())); };
    });
    add("StringFormat", "snprintf", first, last, [](std::size_t n) {
        return [s = randomLetters(n)] {
            std::string out(static_cast<std::size_t>(std::snprintf(nullptr, 0, "<%s>", s.c_str())), '\0');
            std::snprintf(&out[0], out.size() + 1, "<%s>", s.c_str());
            keep(out);
        };
    });
    add("StringFromByteArray", "Korvane", first, last, [](std::size_t n) {
        return [b = bytes(randomLetters(n))] { keep(String(b)); };
    });
    add("StringFromByteArray", "std::string", first, last, [](std::size_t n) {
        return [b = randomLetters(n)] { keep(std::string(b.data(), strnlen(b.data(), b.size()))); };
    });
    add("StringIs7Bit", "Korvane", first, last, [](std::size_t n) {
        return [s = text(randomLetters(n))] { keep(s.is7BitASCIIString()); };
    });
    add("StringIs7Bit", "plain loop", first, last, [](std::size_t n) {
        return [s = randomLetters(n)] {
            keep(std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
        };
    });
}

void addByteArrayBenchmarks(std::size_t last) {
    const std::size_t first = kFirstElements;
    const auto haystack = [](std::size_t n) { return std::string(n, 'a') + "aaaaaaab"; };
    add("ByteArrayFind", "Korvane", first, last, [haystack](std::size_t n) {
        return [b = bytes(haystack(n)), needle = ByteArray("aaaaaaab")] { keep(b.find(needle)); };
    });
    add("ByteArrayFind", "memmem", first, last, [haystack](std::size_t n) {
        return [b = haystack(n)] { keep(memmem(b.data(), b.size(), "aaaaaaab", 8)); };
    });
    add("ByteArrayLess", "Korvane", first, last, [](std::size_t n) {
        return [a = bytes(std::string(n, 'q') + "a"), b = bytes(std::string(n, 'q') + "b")] { keep(a < b); };
    });
    add("ByteArrayLess", "memcmp", first, last, [](std::size_t n) {
        return [a = std::string(n, 'q') + "a", b = std::string(n, 'q') + "b"] {
            keep(std::memcmp(a.data(), b.data(), a.size()) < 0);
        };
    });
    add("ByteArrayComplement", "Korvane", first, last, [](std::size_t n) {
        return [b = bytes(randomBytes(n))]() mutable { keep(~b); };
    });
    add("ByteArrayComplement", "plain loop", first, last, [](std::size_t n) {
        return [b = randomBytes(n)]() mutable {
            for (char& c : b) c = static_cast<char>(~c);
            keep(b);
        };
    });
    add("HexWrite", "Korvane", first, last, [](std::size_t n) {
        return [b = bytes(randomBytes(n))] { keep(b.toPrintableString(16, false)); };
    });
    add("HexWrite", "OpenSSL", first, last, [](std::size_t n) {
        return [b = randomBytes(n)] {
            std::vector<char> out(2 * b.size() + 1);
            std::size_t length = 0;
            OPENSSL_buf2hexstr_ex(out.data(), out.size(), &length, reinterpret_cast<const unsigned char*>(b.data()),
                                  b.size(), '\0');
            keep(out);
        };
    });
    const auto hex = [](std::size_t n) {
        std::string digits = randomBytes(2 * n);
        for (char& c : digits) c = "0123456789ABCDEF"[static_cast<unsigned char>(c) % 16];
        digits[0] = '1';
        return digits;
    };
    add("HexRead", "Korvane", first, last, [hex](std::size_t n) {
        return [s = text(hex(n))] { keep(ByteArray::fromHexString(s, false)); };
    });
    add("HexRead", "OpenSSL", first, last, [hex](std::size_t n) {
        return [s = hex(n)] {
            std::vector<unsigned char> out(s.size() / 2);
            std::size_t length = 0;
            OPENSSL_hexstr2buf_ex(out.data(), out.size(), &length, s.c_str(), '\0');
            keep(out);
        };
    });
}

void addBitAndNumberArrayBenchmarks(std::size_t last) {
    const std::size_t first = kFirstElements;
    add("BoolArrayPack", "Korvane", first, last, [](std::size_t n) {
        return [a = BoolArray(text(bitText(n)), false)] { keep(a.toByteArray()); };
    });
    add("BoolArrayPack", "plain loop", first, last, [](std::size_t n) {
        return [s = bitText(n)] {
            std::vector<unsigned char> out((s.size() + 7) / 8);
            for (std::size_t i = 0; i < s.size(); ++i) out[i / 8] |= static_cast<unsigned char>((s[i] == '1') << (i % 8));
            keep(out);
        };
    });
    add("BoolArrayUnpack", "Korvane", first, last, [](std::size_t n) {
        return [b = bytes(randomBytes(n / 8))] { keep(BoolArray(b, 0, true)); };
    });
    add("BoolArrayUnpack", "plain loop", first, last, [](std::size_t n) {
        return [b = randomBytes(n / 8)] {
            std::vector<bool> out(8 * b.size());
            for (std::size_t i = 0; i < out.size(); ++i) out[i] = (b[i / 8] >> (i % 8)) & 1;
            keep(out);
        };
    });
    add("BoolArrayToString", "Korvane", first, last, [](std::size_t n) {
        return [a = BoolArray(text(bitText(n)), false)] { keep(a.toString()); };
    });
    add("BoolArrayToString", "plain loop", first, last, [](std::size_t n) {
        return [s = bitText(n)] {
            std::string out(s.size(), '0');
            for (std::size_t i = 0; i < s.size(); ++i) out[s.size() - 1 - i] = s[i];
            keep(out);
        };
    });
    add("BoolArrayFromString", "Korvane", first, last, [](std::size_t n) {
        return [s = text(bitText(n))] { keep(BoolArray(s, false)); };
    });
    add("BoolArrayFromString", "plain loop", first, last, [](std::size_t n) {
        return [s = bitText(n)] {
            std::vector<bool> out;
            for (const char c : s)
                if (c == '0' || c == '1') out.push_back(c == '1');
            keep(out);
        };
    });
    add("BoolArrayTrimLSB", "Korvane", first, last, [](std::size_t n) {
        return [a = BoolArray(text(bitText(n / 2) + std::string(n / 2, '0')), false)] {
            BoolArray copy(a);
            keep(copy.trimLSB());
        };
    });
    add("BoolArrayTrimLSB", "std::vector", first, last, [](std::size_t n) {
        return [v = std::vector<bool>(n, false)] {
            std::vector<bool> copy(v);
            copy.erase(copy.begin(), copy.begin() + static_cast<long>(copy.size() / 2));
            keep(copy);
        };
    });
    // Dotted text of n numbers.
    add("IntArrayParse", "Korvane", first, last, [](std::size_t n) {
        return [s = text(dottedNumbers(n))] { keep(IntArray(s)); };
    });
    add("IntArrayParse", "strtol", first, last, [](std::size_t n) {
        return [s = dottedNumbers(n)] {
            std::vector<int> out;
            for (const char* p = s.c_str(); *p != '\0';) {
                char* end = nullptr;
                out.push_back(static_cast<int>(std::strtol(p, &end, 10)));
                p = *end == '.' ? end + 1 : end;
            }
            keep(out);
        };
    });
    add("IntArrayToString", "Korvane", first, last, [](std::size_t n) {
        return [a = IntArray(text(dottedNumbers(n)))] { keep(a.toString()); };
    });
    add("IntArrayToString", "to_chars", first, last, [](std::size_t n) {
        const IntArray a(text(dottedNumbers(n)));
        return [v = std::vector<int>(a.begin(), a.end())] {
            std::string out;
            char digits[16];
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (i != 0) out += '.';
                out.append(digits, std::to_chars(digits, digits + sizeof digits, v[i]).ptr);
            }
            keep(out);
        };
    });
}

void addTokenizerAndUtf8Benchmarks(std::size_t last) {
    const std::size_t first = kFirstElements;
    const auto strtokCount = [](const std::string& s) {
        std::vector<char> copy(s.begin(), s.end());
        copy.push_back('\0');
        std::vector<std::string> tokens;
        char* state = nullptr;
        for (char* piece = strtok_r(copy.data(), ",", &state); piece != nullptr; piece = strtok_r(nullptr, ",", &state))
            tokens.emplace_back(piece);
        return tokens.size();
    };
    add("TokenizeOneToken", "Korvane", first, last, [](std::size_t n) {
        return [s = text(randomLetters(n)), delimiters = String(","), escapes = String("\\")] {
            keep(StringTokenizer(s, delimiters, escapes).countTokens());
        };
    });
    add("TokenizeOneToken", "strtok_r", first, last, [strtokCount](std::size_t n) {
        return [s = randomLetters(n), strtokCount] { keep(strtokCount(s)); };
    });
    const auto manyTokens = [](std::size_t n) {
        std::string s = randomLetters(n);
        for (std::size_t i = 4; i < n; i += 5) s[i] = ',';
        return s;
    };
    add("TokenizeManyTokens", "Korvane", first, last, [manyTokens](std::size_t n) {
        return [s = text(manyTokens(n)), delimiters = String(","), escapes = String("\\")] {
            keep(StringTokenizer(s, delimiters, escapes).countTokens());
        };
    });
    add("TokenizeManyTokens", "strtok_r", first, last, [manyTokens, strtokCount](std::size_t n) {
        return [s = manyTokens(n), strtokCount] { keep(strtokCount(s)); };
    });
    const auto latin1 = [](std::size_t n) {
        std::string s = randomBytes(n);
        for (char& c : s)
            if (c == '\0') c = 'x';
        return s;
    };
    add("Utf8Encode", "Korvane", first, last, [latin1](std::size_t n) {
        return [s = text(latin1(n))] { keep(UTF8String(s)); };
    });
    add("Utf8Encode", "iconv", first, last, [latin1](std::size_t n) {
        return [s = latin1(n)] {
            iconv_t converter = iconv_open("UTF-8", "ISO-8859-1");
            keep(convert(converter, s));
            iconv_close(converter);
        };
    });
    add("Utf8Decode", "Korvane", first, last, [latin1](std::size_t n) {
        return [u = UTF8String(text(latin1(n)))] { keep(u.toString('?')); };
    });
    add("Utf8Decode", "iconv", first, last, [latin1](std::size_t n) {
        iconv_t encoder = iconv_open("UTF-8", "ISO-8859-1");
        std::string encoded = convert(encoder, latin1(n));
        iconv_close(encoder);
        return [encoded] {
            iconv_t converter = iconv_open("ISO-8859-1", "UTF-8");
            keep(convert(converter, encoded));
            iconv_close(converter);
        };
    });
}

}  // namespace

void addTextBenchmarks() {
    const std::size_t last = elements(kLastElements);
    addStringBenchmarks(last);
    addByteArrayBenchmarks(last);
    addBitAndNumberArrayBenchmarks(last);
    addTokenizerAndUtf8Benchmarks(last);
}

}  // namespace growth
