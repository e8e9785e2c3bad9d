#include "korvane/QuillonException.h"

namespace Korvane {

QuillonException::QuillonException(int errNo, const String& location, const String& extraInfo)
    : Exception(LIB_QUILLON, static_cast<unsigned int>(errNo), location, extraInfo) {
    myID = -2;
}

QuillonException::QuillonException(int errNo, const String& location,
                                   const Exception& previous, const String& extraInfo)
    : Exception(LIB_QUILLON, static_cast<unsigned int>(errNo), location, previous, extraInfo) {
    myID = -2;
}

QuillonException::QuillonException(QuillonError error, const String& location,
                                   const String& extraInfo)
    : QuillonException(LIB_QUILLON, static_cast<unsigned int>(error), location, extraInfo) {}

QuillonException::QuillonException(QuillonError error, const String& location,
                                   const Exception& previous, const String& extraInfo)
    : QuillonException(LIB_QUILLON, static_cast<unsigned int>(error), location, previous,
                       extraInfo) {}

QuillonException::QuillonException(libraries lib, unsigned int errNo, const String& location,
                                   const String& extraInfo)
    : Exception(lib, errNo, location, extraInfo) {
    myID = -2;
}

QuillonException::QuillonException(libraries lib, unsigned int errNo, const String& location,
                                   const Exception& previous, const String& extraInfo)
    : Exception(lib, errNo, location, previous, extraInfo) {
    myID = -2;
}

QuillonException::QuillonException(const QuillonException& other) = default;

QuillonException& QuillonException::operator=(const QuillonException& other) = default;

QuillonException::~QuillonException() = default;

}  // namespace Korvane
