// Helpers shared by the stream and file tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

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
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace korvane_test
