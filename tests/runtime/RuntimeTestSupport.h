// Helpers shared by the runtime tests: bounded waits, scratch directories,
// fresh processes and trace lines.
#pragma once

#include <algorithm>
#include <chrono>
#include <future>

#include "TestSupport.h"

namespace korvane_test {

// The line end of a file written in text mode, as the trace file is.
#ifdef _WIN32
inline const std::string kTextLineEnd = "\r\n";
#else
inline const std::string kTextLineEnd = "\n";
#endif

// A wait that runs out ends the program with a message, so a lock fault
// fails instead of hanging (the waiting thread cannot be abandoned safely).
template <class Result>
Result awaitOrAbort(std::future<Result>& future, const char* what) {
    if (future.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        std::fprintf(stderr, "FATAL: timed out waiting for %s\n", what);
        std::fflush(stderr);
        std::_Exit(2);
    }
    return future.get();
}

// For state that changes once per process: runs `scenario` in a
// death-test child and exits 0 when it returns no complaint, 1 otherwise.
template <class Scenario>
[[noreturn]] void runScenarioAndExit(Scenario scenario) {
    const std::string complaint = scenario();
    if (!complaint.empty()) std::fprintf(stderr, "%s\n", complaint.c_str());
    std::fflush(stderr);
    std::_Exit(complaint.empty() ? 0 : 1);
}

// A trace file with each line's elapsed figure (the decimal number after the
// first ". ") replaced by "#", so lines compare exactly; `last` gets the
// last figure. A figure with a sign, space or leading zero stays and fails
// the comparison.
inline std::string withoutElapsed(const std::string& text, long* last = nullptr) {
    std::string out;
    for (std::size_t start = 0, end; start < text.size(); start = end) {
        end = std::min(text.find('\n', start), text.size() - 1) + 1;
        std::string line = text.substr(start, end - start);
        const std::size_t digits = line.find(". ") + 2;
        std::size_t stop = digits;
        while (digits > 1 && stop < line.size() && line[stop] >= '0' && line[stop] <= '9') ++stop;
        if (stop > digits && (line[digits] != '0' || stop == digits + 1)) {
            if (last) *last = std::stol(line.substr(digits, stop - digits));
            line.replace(digits, stop - digits, "#");
        }
        out += line;
    }
    return out;
}

}  // namespace korvane_test
