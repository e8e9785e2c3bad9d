// IOException: the exception of the file layer.
//
// An Exception with identity -1 (so isMe(-1) cannot tell it from a plain
// Exception; catch it by type instead).
#pragma once

#include "korvane/Exception.h"

namespace Korvane {

class KORVANE_API IOException : public Exception {
public:
    IOException(libraries lib, unsigned int errNo, const String& location,
                const String& extraInfo);
    // Library LIB_QUILLON, the number that `error` names.
    IOException(QuillonError error, const String& location, const String& extraInfo);
    IOException(libraries lib, unsigned int errNo, const String& location,
                const Exception& previous, const String& extraInfo);
    IOException(const IOException& other);
    IOException& operator=(const IOException& other);
    IOException(IOException&& other) noexcept = default;
    IOException& operator=(IOException&& other) noexcept = default;
    virtual ~IOException();
};

}  // namespace Korvane
