// DynamicDLL over a small library that this project builds (see CMakeLists.txt),
// copied into a fresh directory per test so that no other load counts.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RuntimeTestSupport.h"
#include "korvane/DynamicDLL.h"

using namespace Korvane;
using korvane_test::ScratchDirectory;

namespace {

using AddFunction = int (*)(int, int);

std::string text(const String& s) { return std::string(s.getData(), s.length()); }

// Whether the loader still holds the library; RTLD_NOLOAD loads nothing.
bool resident(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    return handle != nullptr && dlclose(handle) == 0;
}

std::string copyOfModule(const ScratchDirectory& scratch, const char* name) {
    std::filesystem::copy_file(KORVANE_TEST_MODULE_PATH, scratch.file(name));
    return scratch.file(name);
}

}  // namespace

TEST(DynamicDLLTest, LoadsOnDemandOnceAndCallsAFunctionButNoMissingSymbol) {
    ScratchDirectory scratch;
    const std::string path = copyOfModule(scratch, "libdemand.so");
    {
        DynamicDLL library(String(path.c_str()));
        EXPECT_EQ(library.function("korvane_test_add"), nullptr) << "function must not load";
        EXPECT_FALSE(resident(path)) << "constructing must not load";
        ASSERT_TRUE(library.load()) << text(library.getLastError());
        ASSERT_TRUE(library.load());
        auto add = reinterpret_cast<AddFunction>(library.function("korvane_test_add"));
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add(40, 2), 42);
        EXPECT_STREQ(reinterpret_cast<const char* (*)()>(library.function("korvane_test_name"))(),
                     "korvane test module");
        // A missing symbol or none gives null and leaves the last error alone.
        EXPECT_EQ(library.function("korvane_no_such_function"), nullptr);
        EXPECT_EQ(library.function(nullptr), nullptr);
        EXPECT_EQ(library.getLastError().length(), 0u);
    }
    EXPECT_FALSE(resident(path)) << "a second load() loaded the library again";
}

TEST(DynamicDLLTest, FailuresGiveTheLoadersTextAndAreTriedAgain) {
    ScratchDirectory scratch;
    const std::string path = scratch.file("libmissing.so");
    DynamicDLL library(String(path.c_str()));
    EXPECT_FALSE(library.load());
    const std::string error = text(library.getLastError());
    EXPECT_NE(error.find("libmissing.so"), std::string::npos) << error;
    EXPECT_EQ(library.function("korvane_test_add"), nullptr);
    std::filesystem::copy_file(KORVANE_TEST_MODULE_PATH, path);
    ASSERT_TRUE(library.load());  // the failure's text stays
    EXPECT_EQ(text(library.getLastError()), error);

    DynamicDLL empty("");
    EXPECT_FALSE(empty.load());
    EXPECT_EQ(text(empty.getLastError()), "empty library path");
    const std::string broken = scratch.file("libbroken.so");
    std::ofstream(broken) << "not a library";
    DynamicDLL notALibrary(String(broken.c_str()));
    EXPECT_FALSE(notALibrary.load());
    EXPECT_NE(notALibrary.getLastError().length(), 0u);
}
