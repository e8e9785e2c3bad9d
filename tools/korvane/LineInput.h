// Line mode: the subcommands that convert one item at a time read their items
// one a line from standard input (regex also from a file) when the input
// argument is "-" or missing, so that the tool can sit in a shell pipeline.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace korvane_tool {

// True when the input arguments ask for line mode: there are none, or there is
// the single word "-".
bool readsLines(const std::vector<std::string>& inputs);

// What happens to the blanks (spaces, tabs, carriage returns) around a line.
enum class Blanks { Keep, Trim };

// Hands every line of `in`, without its line feed, to `handle`, which prints
// that line's results. A line that contains a NUL byte (the library would cut
// it there) or whose handler throws is reported on standard error as
// "korvane COMMAND: line N" and its reason (see reportCurrentException), and
// the lines after it go on. A read error ends the input and counts as one
// more failure. Returns the number of failures.
std::size_t forEachLine(std::istream& in, const std::string& command, Blanks blanks,
                        const std::function<void(const std::string& line)>& handle);

class Arguments;

// Runs a subcommand whose only positional argument is its input: `print`
// prints the results of that argument, or in line mode (`oneLine` true) the
// one result line of each line of standard input. Returns the exit status.
int runOnInput(const Arguments& arguments, const std::string& command,
               const std::function<void(const std::string& input, bool oneLine)>& print);

// The closing sentences of a line-mode help text.
std::string failedLinesHelp(const std::string& command);

}  // namespace korvane_tool
