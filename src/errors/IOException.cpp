#include "korvane/IOException.h"

namespace Korvane {

IOException::IOException(libraries lib, unsigned int errNo, const String& location,
                         const String& extraInfo)
    : Exception(lib, errNo, location, extraInfo) {}

IOException::IOException(QuillonError error, const String& location, const String& extraInfo)
    : Exception(LIB_QUILLON, static_cast<unsigned int>(error), location, extraInfo) {}

IOException::IOException(libraries lib, unsigned int errNo, const String& location,
                         const Exception& previous, const String& extraInfo)
    : Exception(lib, errNo, location, previous, extraInfo) {}

IOException::IOException(const IOException& other) = default;

IOException& IOException::operator=(const IOException& other) = default;

IOException::~IOException() = default;

}  // namespace Korvane
