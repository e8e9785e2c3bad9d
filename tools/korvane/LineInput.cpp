#include "LineInput.h"

#include <iostream>
#include <stdexcept>

#include "Command.h"

namespace korvane_tool {

std::string failedLinesHelp(const std::string& command) {
    return "A line that fails is reported on standard error with its number\n(\"korvane " + command +
           ": line N: ...\"); the other lines go on, and the exit\nstatus is then 1.\n";
}

bool readsLines(const std::vector<std::string>& inputs) {
    return inputs.empty() || (inputs.size() == 1 && inputs[0] == "-");
}

namespace {
std::string trimmed(const std::string& line) {
    const char* const blanks = " \t\r";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}
}  // namespace

std::size_t forEachLine(std::istream& in, const std::string& command, Blanks blanks,
                        const std::function<void(const std::string& line)>& handle) {
    // Standard input is tied to standard output, which would then be flushed
    // before every line read: one write per line. Untied, results go out in
    // blocks into a pipe and still line by line onto a terminal.
    std::ostream* const tied = in.tie(nullptr);
    std::size_t failed = 0;
    std::string line;
    for (unsigned long number = 1; std::getline(in, line); ++number) {
        try {
            if (line.find('\0') != std::string::npos) throw std::runtime_error("the line holds a NUL byte");
            handle(blanks == Blanks::Trim ? trimmed(line) : line);
        } catch (...) {
            reportCurrentException("korvane " + command + ": line " + std::to_string(number));
            ++failed;
        }
    }
    in.tie(tied);
    if (in.bad()) {
        std::cerr << "korvane " << command << ": the input could not be read to its end\n";
        ++failed;
    }
    return failed;
}

int runOnInput(const Arguments& arguments, const std::string& command,
               const std::function<void(const std::string& input, bool oneLine)>& print) {
    arguments.expectPositional(0, 1);
    if (!readsLines(arguments.positional())) {
        print(arguments.positional()[0], false);
        return 0;
    }
    const auto printLine = [&](const std::string& line) { print(line, true); };
    return forEachLine(std::cin, command, Blanks::Trim, printLine) == 0 ? 0 : 1;
}

}  // namespace korvane_tool
