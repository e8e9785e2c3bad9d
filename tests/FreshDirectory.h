// A new, empty directory under the system's temporary folder, made with the
// standard library alone so that tests need no POSIX call for it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace korvane_test {

// create_directory reports whether it made the directory, so a name that is
// taken is never shared; the random part keeps the tries few.
inline std::filesystem::path makeFreshDirectory(const std::string& prefix) {
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = parent / (prefix + std::to_string(entropy()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) return candidate;
    }
    std::abort();
}

}  // namespace korvane_test
