#include "korvane/ByteArrayOutputStream.h"

namespace Korvane {

ByteArrayOutputStream::ByteArrayOutputStream() = default;

ByteArrayOutputStream::ByteArrayOutputStream(const ByteArrayOutputStream& other) = default;

ByteArrayOutputStream& ByteArrayOutputStream::operator=(const ByteArrayOutputStream& other) =
    default;

ByteArrayOutputStream::~ByteArrayOutputStream() = default;

void ByteArrayOutputStream::close() {}

void ByteArrayOutputStream::flush() {}

OutputStream& ByteArrayOutputStream::operator<<(char c) {
    data += c;
    return *this;
}

OutputStream& ByteArrayOutputStream::operator<<(const ByteArray& bytes) {
    data += bytes;
    return *this;
}

ByteArrayOutputStream& ByteArrayOutputStream::operator<<(InputStream& in) {
    OutputStream::operator<<(in);
    return *this;
}

const ByteArray& ByteArrayOutputStream::getByteArray() const { return data; }

void ByteArrayOutputStream::reset() { data = ByteArray(); }

}  // namespace Korvane
