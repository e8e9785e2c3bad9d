#include "korvane/FileInputStream.h"

namespace Korvane {

FileInputStream::FileInputStream(const String& path)
    : file(path, File::MODE_READ | File::MODE_BINARY) {}

FileInputStream::FileInputStream(const FileInputStream& other) = default;

FileInputStream& FileInputStream::operator=(const FileInputStream& other) = default;

// The File member closes the file when this is its last copy.
FileInputStream::~FileInputStream() = default;

void FileInputStream::close() { file.close(); }

bool FileInputStream::hasData() const { return hasPushedBack() || file.available(); }

InputStream& FileInputStream::operator>>(ByteArray& chunk) {
    if (deliverPushedBack(chunk)) return *this;
    file >> chunk;
    countDelivered(chunk.length());
    return *this;
}

}  // namespace Korvane
