// Reading trace files back in the Diagnostics tests.
#pragma once

#include <cstdlib>
#include <regex>
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

// Splits a trace file into its lines (each must end in a single line feed)
// and parses every line that has the trace form; `ok` is false when a line
// does not or the file does not end in a line feed.
inline std::vector<TraceLine> traceLines(const std::string& text, bool& ok) {
    static const std::regex form("^( *)(-?[0-9]+)\\. (-?[0-9]+) \\(milliseconds\\) for  (.*)$");
    std::vector<TraceLine> lines;
    ok = text.empty() || text.back() == '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        std::smatch match;
        if (!std::regex_match(line, match, form)) {
            ok = false;
        } else {
            lines.push_back({match[1].str(), std::atoi(match[2].str().c_str()),
                             std::atol(match[3].str().c_str()), match[4].str()});
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace korvane_test
