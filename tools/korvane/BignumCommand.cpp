// korvane bignum OPERATION [NUMBERS... | -] [--base N]
#include <cctype>
#include <iostream>
#include <map>

#include "Command.h"
#include "LineInput.h"
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

struct Bases {
    unsigned int base;  // operands and results of the arithmetic
    unsigned int from;  // convert's operand
    unsigned int to;    // convert's result
};

// The number of operands `operation` takes.
std::size_t operandCount(const std::string& operation) {
    static const std::map<std::string, std::size_t> counts = {
        {"add", 2}, {"sub", 2}, {"mul", 2}, {"div", 2}, {"mod", 2}, {"mulinv", 2}, {"expmod", 3}, {"convert", 1},
    };
    const auto found = counts.find(operation);
    if (found == counts.end()) throw UsageError("unknown operation " + operation);
    return found->second;
}

// The result of `operation` over operand texts of the right count.
std::string compute(const std::string& operation, const std::vector<std::string>& operands, const Bases& bases) {
    if (operation == "convert") return text(parseNumber(operands[0], bases.from).toBase(bases.to));
    auto operand = [&](std::size_t index) { return parseNumber(operands[index], bases.base); };
    using Binary = BigNumber (*)(const BigNumber&, const BigNumber&);
    static const std::map<std::string, Binary> binary = {
        {"add", [](const BigNumber& a, const BigNumber& b) { return a.add(b); }},
        {"sub", [](const BigNumber& a, const BigNumber& b) { return a.subtract(b); }},
        {"mul", [](const BigNumber& a, const BigNumber& b) { return a.multiply(b); }},
        {"div", [](const BigNumber& a, const BigNumber& b) { return a.divide(b); }},
        {"mod", [](const BigNumber& a, const BigNumber& b) { return a.mod(b); }},
        {"mulinv", [](const BigNumber& a, const BigNumber& m) { return a.mulInv(m); }},
    };
    const BigNumber result = operation == "expmod" ? operand(0).expMod(operand(1), operand(2))
                                                   : binary.at(operation)(operand(0), operand(1));
    return text(result.toBase(bases.base));
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> found;
    std::size_t end = 0;
    while (true) {
        const std::size_t start = line.find_first_not_of(" \t", end);
        if (start == std::string::npos) return found;
        end = line.find_first_of(" \t", start);
        found.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    }
}

int runBignum(const Arguments& arguments) {
    if (arguments.positional().empty()) throw UsageError("missing operation");
    const std::string operation = arguments.positional()[0];
    const std::size_t count = operandCount(operation);
    Bases bases = {10, 10, 16};
    if (operation == "convert") {
        bases.from = parseBase(arguments.value("--from", "10"), "--from");
        bases.to = parseBase(arguments.value("--to", "16"), "--to");
    } else {
        bases.base = parseBase(arguments.value("--base", "10"), "--base");
    }
    const std::vector<std::string> operands(arguments.positional().begin() + 1, arguments.positional().end());
    if (!readsLines(operands)) {
        arguments.expectPositional(count + 1, count + 1);
        std::cout << compute(operation, operands, bases) << '\n';
        return 0;
    }
    const std::size_t failed = forEachLine(std::cin, "bignum", Blanks::Trim, [&](const std::string& line) {
        const std::vector<std::string> numbers = words(line);
        if (numbers.size() != count)
            throw UsageError(operation + " takes " + std::to_string(count) + (count == 1 ? " number" : " numbers") +
                             ", the line holds " + std::to_string(numbers.size()));
        std::cout << compute(operation, numbers, bases) << '\n';
    });
    return failed == 0 ? 0 : 1;
}
}  // namespace

std::vector<Command> bignumCommands() {
    return {{"bignum", "big-integer arithmetic: expmod, mulinv, add, sub, mul, div, mod, convert",
             "usage: korvane bignum add|sub|mul|div|mod [A B | -] [--base N]\n"
             "       korvane bignum expmod [BASE EXPONENT MODULUS | -] [--base N]\n"
             "       korvane bignum mulinv [A MODULUS | -] [--base N]\n"
             "       korvane bignum convert [NUMBER | -] [--from B] [--to B]\n\n"
             "Numbers are read and printed in base N (2 to 36, default 10); convert reads\n"
             "base B (default 10) and prints base B (default 16). A leading - makes a\n"
             "number negative. div truncates toward zero; mod takes the sign of A;\n"
             "mulinv prints 1 when no inverse exists.\n\n"
             "With - or no NUMBERS, reads the operation's numbers from each line of\n"
             "standard input (separated by blanks) and prints one result a line.\n" +
                 failedLinesHelp("bignum"),
             runBignum, {"--base", "--from", "--to"}, {}}};
}

}  // namespace korvane_tool
