// Reading trace files back in the Diagnostics tests.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "RuntimeTestSupport.h"

namespace korvane_test {

// One trace line taken apart: the text before the level number (the
// indentation), the level number, the elapsed figure, the name.
struct TraceLine {
    std::string indentation;
    int level = 0;
    long elapsed = -1;
    std::string name;
};

namespace detail {

// Reads an optionally negative decimal number at `at`, moving past it.
inline bool readNumber(const std::string& line, std::size_t& at, long& value) {
    const std::size_t begin = at;
    if (at < line.size() && line[at] == '-') ++at;
    const std::size_t digits = at;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
    if (at == digits) return false;
    value = std::strtol(line.substr(begin, at - begin).c_str(), nullptr, 10);
    return true;
}

// "<spaces><level>. <elapsed> (milliseconds) for  <name>"
inline bool parseTraceLine(const std::string& line, TraceLine& parsed) {
    std::size_t at = line.find_first_not_of(' ');
    if (at == std::string::npos) return false;
    parsed.indentation = line.substr(0, at);
    long level = 0;
    if (!readNumber(line, at, level) || line.compare(at, 2, ". ") != 0) return false;
    at += 2;
    if (!readNumber(line, at, parsed.elapsed)) return false;
    static const std::string middle = " (milliseconds) for  ";
    if (line.compare(at, middle.size(), middle) != 0) return false;
    parsed.level = int(level);
    parsed.name = line.substr(at + middle.size());
    return true;
}

}  // namespace detail

// Splits a trace file into its lines (each must end in a single line feed)
// and parses every line that has the trace form; `ok` is false when a line
// does not or the file does not end in a line feed.
inline std::vector<TraceLine> traceLines(const std::string& text, bool& ok) {
    std::vector<TraceLine> lines;
    ok = text.empty() || text.back() == '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        TraceLine parsed;
        if (detail::parseTraceLine(text.substr(start, end - start), parsed))
            lines.push_back(parsed);
        else
            ok = false;
        start = end + 1;
    }
    return lines;
}

}  // namespace korvane_test
