// korvane bignum OPERATION ARGUMENTS... [--base N]
#include <cctype>
#include <iostream>
#include <map>

#include "Command.h"
#include "korvane/BigNumber.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
unsigned int parseBase(const std::string& text, const std::string& what) {
    const long long base = parseInteger(text, what);
    if (base < 2 || base > 36) throw UsageError(what + " must lie between 2 and 36");
    return static_cast<unsigned int>(base);
}

// The library skips characters that are no digits and reads digits beyond the
// base at their value; a command line should reject both instead.
BigNumber parseNumber(const std::string& text, unsigned int base) {
    std::size_t start = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (start == text.size()) throw UsageError("empty number");
    for (std::size_t i = start; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned int value = 99;
        if (std::isdigit(c)) value = c - '0';
        else if (std::isalpha(c)) value = static_cast<unsigned int>(std::toupper(c) - 'A' + 10);
        if (value >= base)
            throw UsageError("'" + text + "' is not a number in base " + std::to_string(base));
    }
    return BigNumber::fromBase(String(text.c_str()), base);
}

std::string text(const String& s) { return std::string(s.getData(), s.length()); }

int runBignum(const Arguments& arguments) {
    if (arguments.positional().empty()) throw UsageError("missing operation");
    const std::string operation = arguments.positional()[0];
    const unsigned int base = parseBase(arguments.value("--base", "10"), "--base");
    auto operand = [&](std::size_t index) { return parseNumber(arguments.positional()[index], base); };
    auto print = [&](const BigNumber& result) { std::cout << text(result.toBase(base)) << '\n'; };

    using Binary = BigNumber (*)(const BigNumber&, const BigNumber&);
    static const std::map<std::string, Binary> binary = {
        {"add", [](const BigNumber& a, const BigNumber& b) { return a.add(b); }},
        {"sub", [](const BigNumber& a, const BigNumber& b) { return a.subtract(b); }},
        {"mul", [](const BigNumber& a, const BigNumber& b) { return a.multiply(b); }},
        {"div", [](const BigNumber& a, const BigNumber& b) { return a.divide(b); }},
        {"mod", [](const BigNumber& a, const BigNumber& b) { return a.mod(b); }},
        {"mulinv", [](const BigNumber& a, const BigNumber& m) { return a.mulInv(m); }},
    };
    if (binary.count(operation)) {
        arguments.expectPositional(3, 3);
        print(binary.at(operation)(operand(1), operand(2)));
        return 0;
    }
    if (operation == "expmod") {
        arguments.expectPositional(4, 4);
        print(operand(1).expMod(operand(2), operand(3)));
        return 0;
    }
    if (operation == "convert") {
        arguments.expectPositional(2, 2);
        const unsigned int from = parseBase(arguments.value("--from", "10"), "--from");
        const unsigned int to = parseBase(arguments.value("--to", "16"), "--to");
        std::cout << text(parseNumber(arguments.positional()[1], from).toBase(to)) << '\n';
        return 0;
    }
    throw UsageError("unknown operation " + operation);
}
}  // namespace

std::vector<Command> bignumCommands() {
    return {{"bignum", "big-integer arithmetic: expmod, mulinv, add, sub, mul, div, mod, convert",
             "usage: korvane bignum add|sub|mul|div|mod A B [--base N]\n"
             "       korvane bignum expmod BASE EXPONENT MODULUS [--base N]\n"
             "       korvane bignum mulinv A MODULUS [--base N]\n"
             "       korvane bignum convert NUMBER [--from B] [--to B]\n\n"
             "Numbers are read and printed in base N (2 to 36, default 10); convert reads\n"
             "base B (default 10) and prints base B (default 16). A leading - makes a\n"
             "number negative. div truncates toward zero; mod takes the sign of A;\n"
             "mulinv prints 1 when no inverse exists.\n",
             runBignum, {"--base", "--from", "--to"}, {}}};
}

}  // namespace korvane_tool
