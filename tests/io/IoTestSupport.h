// Helpers shared by the stream and file tests.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <io.h>
#endif

#include <cstdio>
#include <filesystem>
#include <string>

#include "FreshDirectory.h"
#include "korvane/Exception.h"
#include "text/TextTestSupport.h"

namespace korvane_test {

inline Korvane::ByteArray byteArray(const std::string& s) {
    return Korvane::ByteArray(s.data(), static_cast<unsigned int>(s.size()));
}

// Runs `action` and checks that it throws an ExceptionType holding exactly
// this one LIB_QUILLON entry.
template <class ExceptionType, class Action>
void expectError(Action&& action, int errNo, const std::string& location, const std::string& extra) {
    try {
        action();
        ADD_FAILURE() << "no exception; expected error " << errNo << " at " << location;
    } catch (const ExceptionType& e) {
        ASSERT_EQ(e.getErrorStackSize(), 1u);
        EXPECT_EQ(e.getLib(0), Korvane::Exception::LIB_QUILLON);
        EXPECT_EQ(e.getErrNo(0), errNo);
        EXPECT_EQ(str(e.getErrLocation(0)), location);
        EXPECT_EQ(str(e.getExtraInfo(0)), extra);
    }
}

// Whole files through stdio, the independent reader and writer.
inline std::string readFile(const std::string& path) {
    std::string content;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return "<cannot open>";
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, got);
    std::fclose(f);
    return content;
}

inline void writeFile(const std::string& path, const std::string& content) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    EXPECT_EQ(std::fwrite(content.data(), 1, content.size(), f), content.size());
    ASSERT_EQ(std::fclose(f), 0);
}

// Anything at all at `path`, a dangling link included.
inline bool onDisk(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// The files this process has open: the entries of /proc/self/fd, or on
// Windows the C runtime's descriptors, which the file streams use.
inline std::size_t openDescriptors() {
#ifdef _WIN32
    std::size_t open = 0;
    for (int descriptor = 0; descriptor < 2048; ++descriptor)
        if (_get_osfhandle(descriptor) != -1) ++open;
    return open;
#else
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
#endif
}

// A fresh directory of our own, removed with everything in it at the end.
class TemporaryDirectory {
public:
    TemporaryDirectory() : root(makeFreshDirectory("korvane-io-").string()) {}
    ~TemporaryDirectory() {
        std::error_code ignored;
        if (!root.empty()) std::filesystem::remove_all(root, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    std::string path(const std::string& name) const { return root + "/" + name; }

private:
    std::string root;
};

}  // namespace korvane_test
