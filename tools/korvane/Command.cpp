#include "Command.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "korvane/Exception.h"
#include "korvane/IndexOutOfRange.h"

namespace korvane_tool {

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions) {
    auto known = [](const std::vector<std::string>& list, const std::string& word) {
        return std::find(list.begin(), list.end(), word) != list.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-' || word == "-") {
            positionals.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            help = true;
        } else if (known(valueOptions, word)) {
            if (i + 1 >= words.size()) throw UsageError("option " + word + " needs a value");
            values[word] = words[++i];
        } else if (known(flagOptions, word)) {
            flags.push_back(word);
        } else if (word.size() > 1 && (std::isdigit(static_cast<unsigned char>(word[1])))) {
            positionals.push_back(word);  // a negative number
        } else {
            throw UsageError("unknown option " + word);
        }
    }
}

bool Arguments::has(const std::string& option) const {
    return values.count(option) != 0 || std::find(flags.begin(), flags.end(), option) != flags.end();
}

std::string Arguments::value(const std::string& option, const std::string& fallback) const {
    auto found = values.find(option);
    return found == values.end() ? fallback : found->second;
}

void Arguments::expectPositional(std::size_t least, std::size_t most) const {
    if (positionals.size() < least) throw UsageError("missing argument");
    if (positionals.size() > most) throw UsageError("unexpected argument " + positionals[most]);
}

long long parseInteger(const std::string& text, const std::string& what) {
    if (text.empty()) throw UsageError(what + " is empty");
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || std::isspace(static_cast<unsigned char>(text[0])))
        throw UsageError(what + " is not a decimal integer: " + text);
    return value;
}

std::string text(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

void reportCurrentException(const std::string& prefix) {
    try {
        throw;
    } catch (const Korvane::Exception& e) {
        std::string report = text(e.toString(0));
        while (!report.empty() && report.back() == '\n') report.pop_back();
        // Every entry of the report opens with a line break, which ends the
        // prefix's line; a report without entries says so instead.
        if (report.empty()) report = " an exception without an error stack";
        std::cerr << prefix << ':' << report << '\n';
    } catch (const Korvane::IndexOutOfRange& e) {
        std::cerr << prefix << ": IndexOutOfRange: " << e.toString() << '\n';
    } catch (const std::exception& e) {
        std::cerr << prefix << ": " << e.what() << '\n';
    } catch (...) {
        std::cerr << prefix << ": an unknown failure\n";
    }
}

}  // namespace korvane_tool
