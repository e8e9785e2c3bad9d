// The subcommands of the korvane tool and the small argument reader they share.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/String.h"

namespace korvane_tool {

// A wrong command line: printed with the subcommand's usage, exit status 2.
// In line mode the same readers reject a wrong line, which is reported with
// its line number instead.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads a subcommand's arguments strictly: every option must be known, every
// option that takes a value must have one, and the positional count must fit.
class Arguments {
public:
    // `valueOptions` take a value ("--zone NAME"); `flagOptions` do not.
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flagOptions);

    bool helpRequested() const { return help; }
    bool has(const std::string& option) const;
    // The value of an option, or `fallback` when it was not given.
    std::string value(const std::string& option, const std::string& fallback = "") const;
    const std::vector<std::string>& positional() const { return positionals; }
    // Throws UsageError unless the positional count lies in [least, most].
    void expectPositional(std::size_t least, std::size_t most) const;

private:
    bool help = false;
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;
    std::vector<std::string> positionals;
};

struct Command {
    std::string name;
    std::string summary;
    std::string usage;  // full --help text
    std::function<int(const Arguments&)> run;
    std::vector<std::string> valueOptions;
    std::vector<std::string> flagOptions;
};

// Every subcommand registers itself through one of these functions.
std::vector<Command> errorCommands();
std::vector<Command> demoCommands();
std::vector<Command> timeCommands();
std::vector<Command> regexCommands();
std::vector<Command> bignumCommands();
std::vector<Command> bitsCommands();

// Strict readers for numbers given on the command line.
long long parseInteger(const std::string& text, const std::string& what);

// The bytes of a library String.
std::string text(const Korvane::String& s);

// Writes the exception being handled to standard error as one message that
// starts with `prefix` ("korvane time" or "korvane time: line 2"): a library
// Exception's report follows on the next lines (its leading blank line gives
// way to the prefix, its trailing blank lines go), any other failure follows
// after ": " on the same line. Call it only inside a catch block.
void reportCurrentException(const std::string& prefix);

}  // namespace korvane_tool
