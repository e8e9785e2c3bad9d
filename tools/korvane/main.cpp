// korvane: the command-line face of the library.
//
//   korvane SUBCOMMAND [ARGUMENTS] [--help]
//   korvane help [SUBCOMMAND]
//   korvane --version
//
// Results go to standard output. Every error message goes to standard error
// and starts with "korvane SUBCOMMAND:". A library failure is followed by the
// exception's report and exits with 1; a wrong command line is followed by the
// usage and exits with 2.
#include <iostream>

#include "Command.h"

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
    out << "usage: korvane SUBCOMMAND [ARGUMENTS] [--help]\n"
           "       korvane help [SUBCOMMAND]\n"
           "       korvane --version\n\nSubcommands:\n";
    for (const auto& command : commands) {
        out << "  " << command.name << std::string(command.name.size() < 12 ? 12 - command.name.size() : 1, ' ')
            << command.summary << '\n';
    }
}

const Command* find(const std::vector<Command>& commands, const std::string& name) {
    for (const auto& command : commands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

// A wrong command line outside any subcommand: the message, then the overview.
int usageError(const std::string& message, const std::vector<Command>& commands) {
    std::cerr << message << "\n\n";
    printOverview(std::cerr, commands);
    return 2;
}

int run(const Command& command, const std::vector<std::string>& words) {
    try {
        const Arguments arguments(words, command.valueOptions, command.flagOptions);
        if (arguments.helpRequested()) {
            std::cout << command.usage;
            return 0;
        }
        return command.run(arguments);
    } catch (const UsageError& e) {
        std::cerr << "korvane " << command.name << ": " << e.what() << "\n\n" << command.usage;
        return 2;
    } catch (...) {
        reportCurrentException("korvane " + command.name);
        return 1;
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
    if (name == "--version") {
        if (argc > 2) return usageError("korvane --version: unexpected argument " + std::string(argv[2]), commands);
        // The build passes the project's version in.
        std::cout << "korvane " << KORVANE_VERSION << '\n';
        return 0;
    }
    if (name == "--help" || name == "-h" || (name == "help" && argc == 2)) {
        printOverview(std::cout, commands);
        return 0;
    }
    if (name == "help") {
        if (argc > 3) return usageError("korvane help: unexpected argument " + std::string(argv[3]), commands);
        const Command* command = find(commands, argv[2]);
        if (command == nullptr) return usageError("korvane help: unknown subcommand " + std::string(argv[2]), commands);
        std::cout << command->usage;
        return 0;
    }
    const Command* command = find(commands, name);
    if (command == nullptr) return usageError("korvane: unknown subcommand " + name, commands);
    return run(*command, std::vector<std::string>(argv + 2, argv + argc));
}
