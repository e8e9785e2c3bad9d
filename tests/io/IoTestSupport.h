// Helpers shared by the stream and file tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "korvane/ByteArray.h"
#include "korvane/Exception.h"
#include "korvane/String.h"

namespace korvane_test {

inline std::string bytes(const Korvane::ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}

inline Korvane::ByteArray byteArray(const std::string& s) {
    return Korvane::ByteArray(s.data(), static_cast<unsigned int>(s.size()));
}

inline std::string text(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

// Checks that `e` holds exactly one LIB_QUILLON entry with these fields.
inline void expectSingleError(const Korvane::Exception& e, int errNo, const std::string& location,
                              const std::string& extra) {
    ASSERT_EQ(e.getErrorStackSize(), 1u);
    EXPECT_EQ(e.getLib(0), Korvane::Exception::LIB_QUILLON);
    EXPECT_EQ(e.getErrNo(0), errNo);
    EXPECT_EQ(text(e.getErrLocation(0)), location);
    EXPECT_EQ(text(e.getExtraInfo(0)), extra);
}

// Runs `action` and checks that it throws an ExceptionType holding exactly
// the one entry (errNo, location, extra) of LIB_QUILLON.
template <class ExceptionType, class Action>
void expectError(Action&& action, int errNo, const std::string& location,
                 const std::string& extra) {
    try {
        action();
        ADD_FAILURE() << "no exception; expected error " << errNo << " at " << location;
    } catch (const ExceptionType& e) {
        expectSingleError(e, errNo, location, extra);
    }
}

// A fresh directory of our own, removed with everything in it at the end.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/korvane-io-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed for " << pattern;
            return;
        }
        root = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        if (!root.empty()) std::filesystem::remove_all(root, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    std::string path(const std::string& name) const { return root + "/" + name; }
    const std::string& getRoot() const { return root; }

private:
    std::string root;
};

}  // namespace korvane_test
