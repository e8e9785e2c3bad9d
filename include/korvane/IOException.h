/// IOException: the exception of the file layer.
///
/// An Exception with identity -1 (so isMe(-1) cannot tell it from a plain
/// Exception; catch it by type instead).
/// @class Korvane::IOException
/// @headerfile IOException.h "korvane/IOException.h"
/// @ingroup text
#pragma once

#include "korvane/Exception.h"

namespace Korvane {

class KORVANE_API IOException : public Exception {
public:
    /// A stack of one entry, as Exception builds it.
    IOException(libraries lib, unsigned int errNo, const String& location,
                const String& extraInfo);
    /// Library LIB_QUILLON, the number that `error` names.
    IOException(QuillonError error, const String& location, const String& extraInfo);
    /// All entries of `previous`, then the new one on top, as Exception builds
    /// it.
    IOException(libraries lib, unsigned int errNo, const String& location,
                const Exception& previous, const String& extraInfo);
    ///@{
    /// Copies, assignment and moves as for Exception.
    IOException(const IOException& other);
    IOException& operator=(const IOException& other);
    IOException(IOException&& other) noexcept = default;
    IOException& operator=(IOException&& other) noexcept = default;
    ///@}
    virtual ~IOException();
};

}  // namespace Korvane
