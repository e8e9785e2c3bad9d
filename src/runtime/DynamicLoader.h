// The platform's dynamic library loader, behind the three operations that
// DynamicDLL needs: open a library by path, look up a symbol, close it.
#pragma once

#include "korvane/String.h"

namespace Korvane {
namespace internal {

// The handle of the library at `path` with all its symbols resolved, or null
// with the loader's message in `error` (empty when the loader gives none).
void* openLibrary(const char* path, String& error);
// The address of `name` in the library, or null.
void* findSymbol(void* library, const char* name);
// Gives back one load of the library.
void closeLibrary(void* library);

}  // namespace internal
}  // namespace Korvane
