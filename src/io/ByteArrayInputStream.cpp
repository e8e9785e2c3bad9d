#include "korvane/ByteArrayInputStream.h"

namespace Korvane {

ByteArrayInputStream::ByteArrayInputStream(const ByteArray& bytes) : data(bytes) {}

ByteArrayInputStream::ByteArrayInputStream(const ByteArrayInputStream& other) = default;

ByteArrayInputStream& ByteArrayInputStream::operator=(const ByteArrayInputStream& other) = default;

ByteArrayInputStream::~ByteArrayInputStream() = default;

void ByteArrayInputStream::close() {}

bool ByteArrayInputStream::hasData() const { return hasPushedBack() || position < data.length(); }

InputStream& ByteArrayInputStream::operator>>(ByteArray& chunk) {
    if (deliverPushedBack(chunk)) return *this;
    const unsigned int remaining = data.length() - position;
    const unsigned int taken = remaining < chunkSize + 1 ? remaining : chunkSize;
    chunk = ByteArray(data.getData(), position, taken);
    position += taken;
    countDelivered(taken);
    return *this;
}

ByteArray ByteArrayInputStream::getByteArray() const {
    const ByteArray unread(data.getData(), position, data.length() - position);
    if (!hasPushedBack()) return unread;
    return pushedBackBytes() + unread;
}

}  // namespace Korvane
