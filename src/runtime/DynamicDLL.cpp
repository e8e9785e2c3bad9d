#include "korvane/DynamicDLL.h"

#include "korvane/ByteArray.h"
#include "runtime/DynamicLoader.h"

namespace Korvane {

DynamicDLL::DynamicDLL(const String& path) : libraryPath(path) {}

DynamicDLL::DynamicDLL(const DynamicDLL& other) = default;

DynamicDLL& DynamicDLL::operator=(const DynamicDLL& other) = default;

DynamicDLL::~DynamicDLL() = default;

bool DynamicDLL::load() {
    if (module) return true;
    if (libraryPath.isEmpty()) {
        lastError = "empty library path";
        return false;
    }
    const ByteArray characters = libraryPath.toASCIIByteArray();
    String error;
    void* library =
        internal::openLibrary(reinterpret_cast<const char*>(characters.getData()), error);
    if (library == nullptr) {
        lastError = error;
        return false;
    }
    // The holder closes the library once, when the last object sharing it
    // lets go; if the holder cannot be made, the load is given back at once.
    try {
        module = std::shared_ptr<void>(library, internal::closeLibrary);
    } catch (...) {
        lastError = "out of memory";
        return false;
    }
    return true;
}

void* DynamicDLL::function(const char* name) {
    if (!module || name == nullptr) return nullptr;
    return internal::findSymbol(module.get(), name);
}

const String& DynamicDLL::path() const { return libraryPath; }

const String& DynamicDLL::getLastError() const { return lastError; }

}  // namespace Korvane
