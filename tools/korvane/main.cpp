// korvane: the command-line face of the library.
//
//   korvane SUBCOMMAND [ARGUMENTS] [--help]
//
// Results go to standard output. A library failure prints the exception's
// report on standard error and exits with 1; a wrong command line prints the
// usage and exits with 2.
#include <iostream>

#include "Command.h"
#include "korvane/Exception.h"
#include "korvane/IndexOutOfRange.h"

using namespace korvane_tool;

namespace {
std::vector<Command> allCommands() {
    std::vector<Command> commands;
    for (auto group : {demoCommands, timeCommands, bignumCommands, bitsCommands, regexCommands, errorCommands}) {
        for (auto& command : group()) commands.push_back(std::move(command));
    }
    return commands;
}

void printOverview(std::ostream& out, const std::vector<Command>& commands) {
    out << "usage: korvane SUBCOMMAND [ARGUMENTS] [--help]\n\nSubcommands:\n";
    for (const auto& command : commands) {
        out << "  " << command.name << std::string(command.name.size() < 12 ? 12 - command.name.size() : 1, ' ')
            << command.summary << '\n';
    }
}
}  // namespace

int main(int argc, char** argv) {
    const std::vector<Command> commands = allCommands();
    if (argc < 2) {
        printOverview(std::cerr, commands);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(std::cout, commands);
        return 0;
    }
    for (const auto& command : commands) {
        if (command.name != name) continue;
        try {
            Arguments arguments(std::vector<std::string>(argv + 2, argv + argc), command.valueOptions,
                                command.flagOptions);
            if (arguments.helpRequested()) {
                std::cout << command.usage;
                return 0;
            }
            return command.run(arguments);
        } catch (const UsageError& e) {
            std::cerr << "korvane " << name << ": " << e.what() << "\n\n" << command.usage;
            return 2;
        } catch (const Korvane::Exception& e) {
            std::cerr << e.toString(0);
            return 1;
        } catch (const Korvane::IndexOutOfRange& e) {
            std::cerr << "IndexOutOfRange: " << e.toString() << '\n';
            return 1;
        } catch (const std::exception& e) {
            std::cerr << "korvane " << name << ": " << e.what() << '\n';
            return 1;
        }
    }
    std::cerr << "korvane: unknown subcommand " << name << "\n\n";
    printOverview(std::cerr, commands);
    return 2;
}
