/// DynamicDLL: a dynamic library loaded by path on demand.
///
/// Nothing is loaded until load() is called. The object keeps the loader's
/// text for the last failed load and unloads the library when it goes.
/// Copies share the loaded library with their original instead of loading it
/// again: the library is unloaded exactly once per load, when the last object
/// sharing it is destroyed or assigned another library. No member throws.
/// @class Korvane::DynamicDLL
/// @headerfile DynamicDLL.h "korvane/DynamicDLL.h"
/// @ingroup runtime
#pragma once

#include <memory>

#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API DynamicDLL {
public:
    // ---- Construction ------------------------------------------------------
    /// Stores the path; nothing is loaded yet.
    DynamicDLL(const String& path);
    /// The path and the last error of `other`, sharing its loaded library if
    /// it has one (so function() works on the copy at once).
    DynamicDLL(const DynamicDLL& other);
    /// Drops this object's share of its library (unloading it when no other
    /// object shares it), then becomes a copy of `other` as above.
    DynamicDLL& operator=(const DynamicDLL& other);
    /// Unloads the library if this object is the last one sharing it.
    virtual ~DynamicDLL();

    // ---- Loading -----------------------------------------------------------
    /// True at once when loaded. Otherwise loads the library from the path's
    /// characters with the platform loader, resolving all its symbols now.
    /// On failure stores the loader's message as the last error (an empty
    /// path fails with the text "empty library path", since the loader would
    /// hand out the program itself) and returns false; a later call tries again.
    bool load();
    /// The address of the exported symbol `name`; null while not loaded (it
    /// does not load), when the library has no such export, or for a null
    /// `name`. Does not change the last error.
    void* function(const char* name);

    // ---- Access ------------------------------------------------------------
    /// The path as given.
    const String& path() const;
    /// The loader's own text for the last failed load, exactly as it came;
    /// empty until a load fails. A later successful load leaves it.
    const String& getLastError() const;

private:
    String libraryPath;
    String lastError;
    /// The platform handle, shared by the copies; null while not loaded.
    std::shared_ptr<void> module;
};

}  // namespace Korvane
