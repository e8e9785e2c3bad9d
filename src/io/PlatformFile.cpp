#include "io/PlatformFile.h"

#include <cstring>

#include "text/BufferMemory.h"

namespace Korvane {
namespace internal {

StreamBuffer::StreamBuffer() : storage(new char[size]) {}

StreamBuffer::~StreamBuffer() { secureWipe(storage.get(), size); }

void StreamBuffer::attach(std::basic_ios<char>& stream) {
    stream.rdbuf()->pubsetbuf(storage.get(), size);
}

OpenFile::OpenFile() { buffer.attach(stream); }

// The stream lets go of the buffer storage before the storage is wiped.
OpenFile::~OpenFile() { stream.close(); }

// Paths reach the platform through the older getASCIIByteArray conversion,
// so the first file operation of a process leaves that member's one-time
// notice in an active log, as every String written to the log does.
bool toPlatformName(const String& path, ByteArray& name) {
    name = path.getASCIIByteArray();
    return name.length() == 0 || std::memchr(name.getData(), 0, name.length()) == nullptr;
}

std::ios_base::openmode toOpenMode(int mode) {
    std::ios_base::openmode result{};
    if (mode & 1) result |= std::ios_base::in;
    if (mode & 2) result |= std::ios_base::out;
    if (mode & 4) result |= std::ios_base::ate;
    if (mode & 8) result |= std::ios_base::app;
    if (mode & 16) result |= std::ios_base::trunc;
    if (mode & 32) result |= std::ios_base::binary;
    return result;
}

}  // namespace internal
}  // namespace Korvane
