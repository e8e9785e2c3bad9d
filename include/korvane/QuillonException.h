/// QuillonException: the exception this library throws for its own errors.
///
/// An Exception whose identity is -2; the error numbers index the LIB_QUILLON
/// table of the catalog unless another library is named.
/// @class Korvane::QuillonException
/// @headerfile QuillonException.h "korvane/QuillonException.h"
/// @ingroup text
#pragma once

#include "korvane/Exception.h"

namespace Korvane {

class KORVANE_API QuillonException : public Exception {
public:
    ///@{
    /// Library LIB_QUILLON.
    QuillonException(int errNo, const String& location, const String& extraInfo);
    QuillonException(int errNo, const String& location, const Exception& previous,
                     const String& extraInfo);
    ///@}
    ///@{
    /// Library LIB_QUILLON, the number that `error` names.
    QuillonException(QuillonError error, const String& location, const String& extraInfo);
    QuillonException(QuillonError error, const String& location, const Exception& previous,
                     const String& extraInfo);
    ///@}
    ///@{
    /// Any library.
    QuillonException(libraries lib, unsigned int errNo, const String& location,
                     const String& extraInfo);
    QuillonException(libraries lib, unsigned int errNo, const String& location,
                     const Exception& previous, const String& extraInfo);
    ///@}
    ///@{
    /// Copies, assignment and moves as for Exception.
    QuillonException(const QuillonException& other);
    QuillonException& operator=(const QuillonException& other);
    QuillonException(QuillonException&& other) noexcept = default;
    QuillonException& operator=(QuillonException&& other) noexcept = default;
    ///@}
    virtual ~QuillonException();
};

}  // namespace Korvane
