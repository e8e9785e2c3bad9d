// DynamicDLL over a small library that this project builds (see CMakeLists.txt),
// copied into a fresh directory per test so that no other load counts.
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "RuntimeTestSupport.h"
#include "korvane/DynamicDLL.h"

using namespace Korvane;
using korvane_test::ScratchDirectory;

namespace {

using AddFunction = int (*)(int, int);

#ifdef _WIN32
const std::string kSuffix = ".dll";

// Whether the loader still holds the library; GetModuleHandleA loads nothing
// and takes no reference.
bool resident(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }

// The system's own text for a library not found, line break included; it
// names no file.
void expectMissingLibraryText(const std::string& error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        ERROR_MOD_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    ASSERT_NE(length, 0u);
    EXPECT_EQ(error, std::string(text, length));
    LocalFree(text);
}
#else
const std::string kSuffix = ".so";

// Whether the loader still holds the library; RTLD_NOLOAD loads nothing.
bool resident(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    return handle != nullptr && dlclose(handle) == 0;
}

// dlerror's text names the file it could not open.
void expectMissingLibraryText(const std::string& error) {
    EXPECT_NE(error.find("libmissing.so"), std::string::npos) << error;
}
#endif

std::string copyOfModule(const ScratchDirectory& scratch, const std::string& name) {
    std::filesystem::copy_file(KORVANE_TEST_MODULE_PATH, scratch.file(name + kSuffix));
    return scratch.file(name + kSuffix);
}

}  // namespace

TEST(DynamicDLLTest, LoadsOnDemandOnceAndCallsAFunctionButNoMissingSymbol) {
    ScratchDirectory scratch;
    const std::string path = copyOfModule(scratch, "libdemand");
    {
        DynamicDLL library(String(path.c_str()));
        EXPECT_EQ(library.function("korvane_test_add"), nullptr) << "function must not load";
        EXPECT_FALSE(resident(path)) << "constructing must not load";
        ASSERT_TRUE(library.load()) << korvane_test::str(library.getLastError());
        ASSERT_TRUE(library.load());
        auto add = reinterpret_cast<AddFunction>(library.function("korvane_test_add"));
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add(40, 2), 42);
        // A missing symbol or none gives null and leaves the last error alone.
        EXPECT_EQ(library.function("korvane_no_such_function"), nullptr);
        EXPECT_EQ(library.function(nullptr), nullptr);
        EXPECT_EQ(library.getLastError().length(), 0u);
    }
    EXPECT_FALSE(resident(path)) << "a second load() loaded the library again";
}

TEST(DynamicDLLTest, FailuresGiveTheLoadersTextAndAreTriedAgain) {
    ScratchDirectory scratch;
    const std::string path = scratch.file("libmissing" + kSuffix);
    DynamicDLL library(String(path.c_str()));
    EXPECT_FALSE(library.load());
    const std::string error = korvane_test::str(library.getLastError());
    expectMissingLibraryText(error);
    EXPECT_EQ(library.function("korvane_test_add"), nullptr);
    std::filesystem::copy_file(KORVANE_TEST_MODULE_PATH, path);
    ASSERT_TRUE(library.load());  // the failure's text stays
    EXPECT_EQ(korvane_test::str(library.getLastError()), error);

    DynamicDLL empty("");
    EXPECT_FALSE(empty.load());
    EXPECT_EQ(korvane_test::str(empty.getLastError()), "empty library path");
}
