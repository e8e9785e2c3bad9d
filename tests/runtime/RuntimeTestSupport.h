// Helpers shared by the runtime tests: bounded waits and scratch directories.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>

namespace korvane_test {

// A lock that never comes free must fail the test, not hang it: a wait that
// runs out ends the whole program with a message (the waiting thread cannot
// be abandoned safely).
inline constexpr std::chrono::seconds kDeadline{20};

template <class Result>
Result awaitOrAbort(std::future<Result>& future, const char* what) {
    if (future.wait_for(kDeadline) != std::future_status::ready) {
        std::fprintf(stderr, "FATAL: timed out waiting for %s\n", what);
        std::fflush(stderr);
        std::_Exit(2);
    }
    return future.get();
}

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvane-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path_ = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a scratch directory the working directory for as long as it lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// For state that changes once per process: runs `scenario` (inside a forked
// death-test child) and ends the process, with status 0 when the scenario
// returns no complaint and 1, the complaint on stderr, otherwise.
template <class Scenario>
[[noreturn]] void runScenarioAndExit(Scenario scenario) {
    const std::string complaint = scenario();
    if (!complaint.empty()) std::fprintf(stderr, "%s\n", complaint.c_str());
    std::fflush(stderr);
    std::_Exit(complaint.empty() ? 0 : 1);
}

// Every byte of a file; empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace korvane_test
