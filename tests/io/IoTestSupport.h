// Helpers shared by the stream and file tests.
#pragma once

#ifdef _WIN32
#include <io.h>
#endif

#include "TestSupport.h"

namespace korvane_test {

// A whole file through stdio, the independent writer.
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

}  // namespace korvane_test
