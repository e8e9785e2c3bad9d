#include "runtime/DynamicLoader.h"

#include <windows.h>

namespace Korvane {
namespace internal {

namespace {

// The system's text for the calling thread's last error, exactly as the
// system gives it (it ends with a line break), or empty when it has none.
String lastErrorText() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
        nullptr);
    String result;
    if (length != 0 && text != nullptr) {
        try {
            result = String(text, static_cast<unsigned int>(length));
        } catch (...) {
            LocalFree(text);
            throw;
        }
    }
    if (text != nullptr) LocalFree(text);
    return result;
}

}  // namespace

// LoadLibraryA resolves the imports of the library at load, so a missing
// dependency is reported here, as on the other platforms.
void* openLibrary(const char* path, String& error) {
    HMODULE library = LoadLibraryA(path);
    if (library == nullptr) error = lastErrorText();
    return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace internal
}  // namespace Korvane
