// korvane regex PATTERN SUBJECT [--all] [--subst TEMPLATE]
// korvane glob GLOB
#include <iostream>

#include "Command.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;

namespace korvane_tool {

namespace {
std::string text(const String& s) { return std::string(s.getData(), s.length()); }

int runRegex(const Arguments& arguments) {
    arguments.expectPositional(2, 2);
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

int runGlob(const Arguments& arguments) {
    arguments.expectPositional(1, 1);
    std::cout << text(RegularExpression::glob2RegularExpression(String(arguments.positional()[0].c_str())))
              << '\n';
    return 0;
}
}  // namespace

std::vector<Command> regexCommands() {
    return {
        {"regex", "search a text with a regular expression",
         "usage: korvane regex PATTERN SUBJECT [--all | --subst TEMPLATE]\n\n"
         "Prints the first match of PATTERN in SUBJECT and its groups; --all prints\n"
         "every match, one a line; --subst prints TEMPLATE with & (or \\0) and \\1..\\9\n"
         "replaced by the first match and its groups. Exit status 1 when nothing\n"
         "matches. Patterns: | alternatives, ( ) groups, * + ?, . ^ $, [set] [^set],\n"
         "\\c for the character c itself.\n",
         runRegex, {"--subst"}, {"--all"}},
        {"glob", "turn a file-name glob into a regular expression",
         "usage: korvane glob GLOB\n\nPrints the regular expression that matches exactly the names GLOB\n"
         "matches (* is the only wildcard; \\c takes c literally).\n",
         runGlob, {}, {}},
    };
}

}  // namespace korvane_tool
