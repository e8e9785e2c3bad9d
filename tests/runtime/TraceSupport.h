// Reading trace files back in the Diagnostics tests.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RuntimeTestSupport.h"

namespace korvane_test {

// One trace line "<indentation><level>. <elapsed> (milliseconds) for  <name>"
// taken apart.
struct TraceLine {
    std::string indentation;
    int level = 0;
    long elapsed = -1;
    std::string name;
};

// Reads the numbers with strtol, then accepts the line only if writing the
// parts back gives it byte for byte (so no sign, space or zero strtol allows
// slips through).
inline bool parseTraceLine(const std::string& line, TraceLine& parsed) {
    static const char middle[] = " (milliseconds) for  ";
    const std::size_t at = line.find_first_not_of(' ');
    if (at == std::string::npos) return false;
    char* end = nullptr;
    parsed.level = int(std::strtol(line.c_str() + at, &end, 10));
    if (std::strncmp(end, ". ", 2) != 0) return false;
    parsed.elapsed = std::strtol(end + 2, &end, 10);
    if (std::strncmp(end, middle, sizeof middle - 1) != 0) return false;
    parsed.indentation = line.substr(0, at);
    parsed.name = line.substr(std::size_t(end - line.c_str()) + sizeof middle - 1);
    return line == parsed.indentation + std::to_string(parsed.level) + ". " +
                       std::to_string(parsed.elapsed) + middle + parsed.name;
}

// Splits a trace file into its lines (each must end in a single line feed)
// and parses every line; `ok` is false when a line has not the trace form or
// the file does not end in a line feed.
inline std::vector<TraceLine> traceLines(const std::string& text, bool& ok) {
    std::vector<TraceLine> lines;
    ok = text.empty() || text.back() == '\n';
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        TraceLine parsed;
        if (parseTraceLine(text.substr(start, end - start), parsed))
            lines.push_back(parsed);
        else
            ok = false;
    }
    return lines;
}

}  // namespace korvane_test
