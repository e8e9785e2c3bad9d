#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "RuntimeTestSupport.h"
#include "korvane/DynamicDLL.h"

using namespace Korvane;
using korvane_test::ScratchDirectory;

namespace {

// Built by this project beside the tests (see CMakeLists.txt).
const char* const kModule = KORVANE_TEST_MODULE_PATH;

using AddFunction = int (*)(int, int);
using NameFunction = const char* (*)();

std::string text(const String& s) { return std::string(s.getData(), s.length()); }

// Whether the loader still holds the library at `path`. RTLD_NOLOAD loads
// nothing; the load it counts when the library is there is given back at once.
bool resident(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return false;
    dlclose(handle);
    return true;
}

// A private copy of the test library, so that no other test's loads count.
std::string copyOfModule(const ScratchDirectory& scratch, const char* name) {
    const std::string path = scratch.file(name);
    std::filesystem::copy_file(kModule, path);
    return path;
}

}  // namespace

TEST(DynamicDLLTest, LoadsOnDemandAndCallsAFunctionButNoMissingSymbol) {
    ScratchDirectory scratch;
    const std::string path = copyOfModule(scratch, "libdemand.so");
    DynamicDLL library(String(path.c_str()));
    EXPECT_EQ(text(library.path()), path);
    EXPECT_FALSE(resident(path)) << "constructing must not load";
    EXPECT_EQ(library.function("korvane_test_add"), nullptr) << "function must not load";
    EXPECT_FALSE(resident(path));

    ASSERT_TRUE(library.load()) << text(library.getLastError());
    EXPECT_TRUE(resident(path));
    auto add = reinterpret_cast<AddFunction>(library.function("korvane_test_add"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(40, 2), 42);
    auto name = reinterpret_cast<NameFunction>(library.function("korvane_test_name"));
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name(), "korvane test module");
    // A missing symbol or none gives null and leaves the last error alone.
    EXPECT_EQ(library.function("korvane_no_such_function"), nullptr);
    EXPECT_EQ(library.function(nullptr), nullptr);
    EXPECT_EQ(library.getLastError().length(), 0u);
    EXPECT_NE(library.function("korvane_test_add"), nullptr);
}

TEST(DynamicDLLTest, MissingLibraryFailsWithTheLoadersTextAndIsTriedAgain) {
    ScratchDirectory scratch;
    const std::string path = scratch.file("libmissing.so");
    DynamicDLL library(String(path.c_str()));
    EXPECT_FALSE(library.load());
    const std::string error = text(library.getLastError());
    EXPECT_NE(error, "");
    EXPECT_NE(error.find("libmissing.so"), std::string::npos) << error;
    EXPECT_EQ(library.function("korvane_test_add"), nullptr);

    // The library appears: the next load tries the loader again and succeeds,
    // leaving the text of the failure.
    std::filesystem::copy_file(kModule, path);
    ASSERT_TRUE(library.load());
    EXPECT_NE(library.function("korvane_test_add"), nullptr);
    EXPECT_EQ(text(library.getLastError()), error);
}

TEST(DynamicDLLTest, EmptyPathAndAFileThatIsNoLibraryFail) {
    DynamicDLL empty("");
    EXPECT_FALSE(empty.load());
    EXPECT_EQ(text(empty.getLastError()), "empty library path");
    EXPECT_EQ(empty.function("main"), nullptr);
    ScratchDirectory scratch;
    const std::string path = scratch.file("libbroken.so");
    { std::ofstream(path) << "not a library"; }
    DynamicDLL broken(String(path.c_str()));
    EXPECT_FALSE(broken.load());
    EXPECT_NE(broken.getLastError().length(), 0u);
    EXPECT_FALSE(resident(path));
}

TEST(DynamicDLLTest, LoadingTwiceLoadsOnceAndDestructionUnloads) {
    ScratchDirectory scratch;
    const std::string path = copyOfModule(scratch, "libtwice.so");
    {
        DynamicDLL library(String(path.c_str()));
        ASSERT_TRUE(library.load());
        ASSERT_TRUE(library.load());
        EXPECT_TRUE(resident(path));
    }
    EXPECT_FALSE(resident(path)) << "a second load() loaded the library again";
}

TEST(DynamicDLLTest, CopiesShareTheLoadAndTheLastObjectUnloads) {
    ScratchDirectory scratch;
    const std::string path = copyOfModule(scratch, "libshared.so");
    {
        DynamicDLL copy("placeholder");
        {
            DynamicDLL original(String(path.c_str()));
            ASSERT_TRUE(original.load());
            DynamicDLL copied(original);
            EXPECT_NE(copied.function("korvane_test_add"), nullptr) << "a copy works at once";
            EXPECT_EQ(text(copied.path()), path);
            copy = original;
        }
        // The original and its first copy are gone; the assigned copy keeps the library.
        EXPECT_TRUE(resident(path));
        auto add = reinterpret_cast<AddFunction>(copy.function("korvane_test_add"));
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add(2, 3), 5);
    }
    EXPECT_FALSE(resident(path));
}

TEST(DynamicDLLTest, AssignmentGivesBackTheTargetsOwnLoad) {
    ScratchDirectory scratch;
    const std::string first = copyOfModule(scratch, "libfirst.so");
    const std::string second = copyOfModule(scratch, "libsecond.so");
    DynamicDLL target(String(first.c_str()));
    ASSERT_TRUE(target.load());
    {
        DynamicDLL source(String(second.c_str()));
        target = source;  // not loaded: the target ends up not loaded either
        EXPECT_FALSE(resident(first));
        EXPECT_EQ(target.function("korvane_test_add"), nullptr);
        DynamicDLL& alias = target;
        target = alias;  // assigning an object to itself changes nothing
        EXPECT_EQ(text(target.path()), second);
    }
    ASSERT_TRUE(target.load());
    EXPECT_TRUE(resident(second));

    // A copy of an unloaded object loads for itself; each load is given back once.
    DynamicDLL unloaded(String(first.c_str()));
    DynamicDLL copy(unloaded);
    ASSERT_TRUE(copy.load());
    EXPECT_EQ(unloaded.function("korvane_test_add"), nullptr);
    ASSERT_TRUE(unloaded.load());
    copy = DynamicDLL("nothing");
    EXPECT_TRUE(resident(first));
    unloaded = copy;
    EXPECT_FALSE(resident(first));
}
