#include "korvane/OutputStream.h"

#include "korvane/InputStream.h"

namespace Korvane {

OutputStream::OutputStream() = default;

OutputStream::OutputStream(const OutputStream& other) = default;

OutputStream& OutputStream::operator=(const OutputStream& other) = default;

OutputStream::~OutputStream() = default;

OutputStream& OutputStream::operator<<(InputStream& in) {
    ByteArray chunk;
    while (in.hasData()) {
        in >> chunk;
        // A source that claims data but delivers none would loop forever.
        if (chunk.length() == 0) break;
        *this << chunk;
    }
    return *this;
}

}  // namespace Korvane
