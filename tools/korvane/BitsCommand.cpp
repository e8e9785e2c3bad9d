// korvane der-length [N | -] | korvane bits [HEX | -] [--unused N] | korvane oid [DOTTED | -]
#include <cctype>
#include <cstdio>
#include <iostream>
#include <vector>

#include "Command.h"
#include "LineInput.h"
#include "korvane/BoolArray.h"
#include "korvane/IntArray.h"
#include "korvane/System.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
std::string hexBytes(const ByteArray& bytes) {
    std::string out;
    char pair[4];
    for (unsigned int i = 0; i < bytes.length(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes.getData()[i]);
        if (i != 0) out += ' ';
        out += pair;
    }
    return out;
}

// Hex digits in pairs; spaces and colons between bytes are allowed.
ByteArray parseHex(const std::string& input) {
    ByteArray bytes;
    int high = -1;
    for (char c : input) {
        if (c == ' ' || c == ':') {
            if (high >= 0) throw UsageError("odd number of hex digits before '" + std::string(1, c) + "'");
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c))) throw UsageError("not a hex digit: " + std::string(1, c));
        const int value = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        if (high < 0) {
            high = value;
        } else {
            bytes += static_cast<char>(high * 16 + value);
            high = -1;
        }
    }
    if (high >= 0) throw UsageError("odd number of hex digits");
    if (bytes.length() == 0) throw UsageError("no bytes given");
    return bytes;
}

std::string derLength(const std::string& text) {
    const long long length = parseInteger(text, "N");
    if (length < 0 || length > 0xFFFFFFFFLL) throw UsageError("N must lie between 0 and 4294967295");
    return hexBytes(System::getDEREncodedLength(static_cast<unsigned int>(length)));
}

int runDerLength(const Arguments& arguments) {
    return runOnInput(arguments, "der-length",
                      [](const std::string& input, bool) { std::cout << derLength(input) << '\n'; });
}

int runBits(const Arguments& arguments) {
    const long long unused = parseInteger(arguments.value("--unused", "0"), "--unused");
    if (unused < 0 || unused > 255) throw UsageError("--unused must lie between 0 and 255");
    return runOnInput(arguments, "bits", [unused](const std::string& input, bool oneLine) {
        const ByteArray bytes = parseHex(input);
        // The library reports more than 7 unused bits itself (error 23).
        const String bits = System::toBitString(bytes, static_cast<unsigned int>(unused));
        if (oneLine) {
            std::cout << text(bits) << '\n';
            return;
        }
        const BoolArray array(bytes, static_cast<unsigned int>(unused), false);
        std::cout << "bits             " << text(bits) << '\n'
                  << "bit count        " << array.length() << '\n'
                  << "trailing zeros   " << System::calcNumberOfInsignificantBits(bytes) << '\n'
                  << "DER content      " << hexBytes(ByteArray(static_cast<char>(unused)) + bytes) << '\n';
    });
}

// Object identifier arcs in dotted decimal: at least two, the first 0 to 2,
// the second below 40 under the arcs 0 and 1, as X.660 requires.
std::vector<long long> parseArcs(const std::string& dotted) {
    std::vector<long long> arcs;
    std::string digits;
    for (std::size_t i = 0; i <= dotted.size(); ++i) {
        if (i == dotted.size() || dotted[i] == '.') {
            arcs.push_back(parseInteger(digits, "arc"));
            if (!digits.empty() && !std::isdigit(static_cast<unsigned char>(digits[0])))
                throw UsageError("arcs are unsigned decimal numbers");
            digits.clear();
        } else {
            digits += dotted[i];
        }
    }
    if (arcs.size() < 2) throw UsageError("an object identifier has at least two arcs");
    if (arcs[0] > 2) throw UsageError("the first arc must be 0, 1 or 2");
    if (arcs[0] < 2 && arcs[1] > 39) throw UsageError("the second arc must be below 40 under arcs 0 and 1");
    for (long long arc : arcs) {
        if (arc > 0x7FFFFFFF) throw UsageError("arcs above 2147483647 are not supported");
    }
    return arcs;
}

void appendBase128(ByteArray& out, unsigned long long value) {
    unsigned char groups[10];
    int count = 0;
    do {
        groups[count++] = static_cast<unsigned char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 0) {
        const unsigned char group = groups[--count];
        out += static_cast<char>(count != 0 ? group | 0x80 : group);
    }
}

int runOid(const Arguments& arguments) {
    return runOnInput(arguments, "oid", [](const std::string& dotted, bool oneLine) {
        const std::vector<long long> arcs = parseArcs(dotted);
        ByteArray content;
        appendBase128(content, static_cast<unsigned long long>(arcs[0] * 40 + arcs[1]));
        for (std::size_t i = 2; i < arcs.size(); ++i) appendBase128(content, static_cast<unsigned long long>(arcs[i]));
        const std::string der =
            hexBytes(ByteArray(static_cast<char>(0x06)) + System::getDEREncodedLength(content.length()) + content);
        if (oneLine) {
            std::cout << der << '\n';
            return;
        }
        const IntArray array(String(dotted.c_str()));
        std::cout << "dotted           " << text(array.toString()) << '\n'
                  << "arcs             " << array.length() << '\n'
                  << "DER              " << der << '\n';
    });
}
}  // namespace

std::vector<Command> bitsCommands() {
    return {
        {"der-length", "print the DER length octets of a length",
         "usage: korvane der-length [N | -]\n\nPrints the definite-length octets of N (0 to 4294967295) in hex.\n\n"
         "With - or no N, reads one N a line from standard input (blanks around it\n"
         "ignored) and prints its octets on one line each.\n" +
             failedLinesHelp("der-length"),
         runDerLength, {}, {}},
        {"bits", "show the bits of a BIT STRING's bytes",
         "usage: korvane bits [HEX | -] [--unused N]\n\n"
         "Prints the bits of the bytes HEX (pairs of hex digits, spaces or colons\n"
         "between bytes allowed) without the N unused bits at the end (default 0,\n"
         "at most 7), their count, the number of trailing zero bits of the last byte,\n"
         "and the BIT STRING content octets (unused-bit count, then the bytes).\n\n"
         "With - or no HEX, reads one HEX a line from standard input (blanks around\n"
         "it ignored) and prints only its bits, one line each, all with the same N.\n" +
             failedLinesHelp("bits"),
         runBits, {"--unused"}, {}},
        {"oid", "read a dotted object identifier and print its DER encoding",
         "usage: korvane oid [DOTTED | -]\n\n"
         "Reads an object identifier such as 1.2.840.113549 and prints it back, its\n"
         "number of arcs and its DER encoding (tag, length, content).\n\n"
         "With - or no DOTTED, reads one identifier a line from standard input\n"
         "(blanks around it ignored) and prints only its DER encoding, one line each.\n" +
             failedLinesHelp("oid"),
         runOid, {}, {}},
    };
}

}  // namespace korvane_tool
