#include "runtime/DynamicLoader.h"

#include <dlfcn.h>

namespace Korvane {
namespace internal {

void* openLibrary(const char* path, String& error) {
    // Resolving everything now reports a missing dependency at load time,
    // where a caller looks for it, not at the first call into the library.
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* text = dlerror();
        error = text != nullptr ? String(text) : String();
    }
    return library;
}

void* findSymbol(void* library, const char* name) {
    dlerror();  // a lookup must not report an older failure
    return dlsym(library, name);
}

void closeLibrary(void* library) { dlclose(library); }

}  // namespace internal
}  // namespace Korvane
