// korvane regex PATTERN [SUBJECT | - | --input FILE] [--all | --subst TEMPLATE]
//               [--only-matching | --count]
// korvane glob GLOB
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "Command.h"
#include "LineInput.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
int runOnSubject(const Arguments& arguments) {
    if (arguments.has("--all") && arguments.has("--subst"))
        throw UsageError("--all and --subst exclude each other");
    RegularExpression expression(String(arguments.positional()[0].c_str()),
                                 String(arguments.positional()[1].c_str()));
    if (!expression.hasExpression()) {
        std::cout << "no match\n";
        return 1;
    }
    if (arguments.has("--subst")) {
        std::cout << text(expression.substitute(String(arguments.value("--subst").c_str()))) << '\n';
        return 0;
    }
    if (arguments.has("--all")) {
        while (expression.hasExpression()) std::cout << text(expression.nextMatch(0)) << '\n';
        return 0;
    }
    // nextMatch moves on to the next match, so each sub-match is read from a
    // copy that still stands on the first one.
    const unsigned int count = expression.getNumberSubExpressions();
    for (unsigned int index = 0; index < count; ++index) {
        RegularExpression reader(expression);
        std::cout << (index == 0 ? "match    " : "group " + std::to_string(index) + "  ")
                  << text(reader.nextMatch(index)) << '\n';
    }
    return 0;
}

// Searches every line like grep: prints the lines that match, or with
// --only-matching every match, with --subst the template filled from each
// matching line's first match, with --count only the number of matching lines.
int runOnLines(const Arguments& arguments, std::istream& in) {
    if (arguments.has("--all")) throw UsageError("--all needs a SUBJECT; use --only-matching on lines");
    if (arguments.has("--count") + arguments.has("--only-matching") + arguments.has("--subst") > 1)
        throw UsageError("--count, --only-matching and --subst exclude each other");
    const String pattern(arguments.positional()[0].c_str());
    // A malformed pattern is one failure of the command, not one per line.
    const RegularExpression compiled(pattern, String());
    const String templateText(arguments.value("--subst").c_str());
    unsigned long matching = 0;
    const std::size_t failed = forEachLine(in, "regex", Blanks::Keep, [&](const std::string& line) {
        RegularExpression expression(pattern, String(line.c_str()));
        if (!expression.hasExpression()) return;
        ++matching;
        if (arguments.has("--only-matching")) {
            while (expression.hasExpression()) std::cout << text(expression.nextMatch(0)) << '\n';
        } else if (arguments.has("--subst")) {
            std::cout << text(expression.substitute(templateText)) << '\n';
        } else if (!arguments.has("--count")) {
            std::cout << line << '\n';
        }
    });
    if (arguments.has("--count")) std::cout << matching << '\n';
    return failed == 0 && matching != 0 ? 0 : 1;
}

int runRegex(const Arguments& arguments) {
    arguments.expectPositional(1, 2);
    const std::vector<std::string> inputs(arguments.positional().begin() + 1, arguments.positional().end());
    if (arguments.has("--input")) {
        if (!inputs.empty()) throw UsageError("give SUBJECT, - or --input FILE, not two of them");
        const std::string name = arguments.value("--input");
        std::ifstream file(name, std::ios::binary);
        if (!file) throw std::runtime_error("cannot open " + name + ": " + std::strerror(errno));
        return runOnLines(arguments, file);
    }
    if (readsLines(inputs)) return runOnLines(arguments, std::cin);
    if (arguments.has("--count") || arguments.has("--only-matching"))
        throw UsageError("--count and --only-matching read lines: give - or --input FILE");
    return runOnSubject(arguments);
}

int runGlob(const Arguments& arguments) {
    arguments.expectPositional(1, 1);
    std::cout << text(RegularExpression::glob2RegularExpression(String(arguments.positional()[0].c_str())))
              << '\n';
    return 0;
}
}  // namespace

std::vector<Command> regexCommands() {
    return {
        {"regex", "search a text, or lines like grep, with a regular expression",
         "usage: korvane regex PATTERN SUBJECT [--all | --subst TEMPLATE]\n"
         "       korvane regex PATTERN [- | --input FILE]\n"
         "                     [--only-matching | --count | --subst TEMPLATE]\n\n"
         "Prints the first match of PATTERN in SUBJECT and its groups; --all prints\n"
         "every match, one a line; --subst prints TEMPLATE with & (or \\0) and \\1..\\9\n"
         "replaced by the first match and its groups. Exit status 1 when nothing\n"
         "matches. Patterns: | alternatives, ( ) groups, * + ?, . ^ $, [set] [^set],\n"
         "\\c for the character c itself.\n\n"
         "With - or no SUBJECT, searches every line of standard input (of FILE with\n"
         "--input) and prints the lines that match, like grep; --only-matching prints\n"
         "every match instead, one a line; --subst prints TEMPLATE filled from each\n"
         "matching line's first match; --count prints only the number of matching\n"
         "lines. Exit status 1 when no line matched.\n" +
             failedLinesHelp("regex"),
         runRegex, {"--subst", "--input"}, {"--all", "--only-matching", "--count"}},
        {"glob", "turn a file-name glob into a regular expression",
         "usage: korvane glob GLOB\n\nPrints the regular expression that matches exactly the names GLOB\n"
         "matches (* is the only wildcard; \\c takes c literally).\n",
         runGlob, {}, {}},
    };
}

}  // namespace korvane_tool
