#include "korvane/FileOutputStream.h"

namespace Korvane {

FileOutputStream::FileOutputStream(const String& path)
    : file(path, File::MODE_WRITE | File::MODE_BINARY) {}

FileOutputStream::FileOutputStream(const FileOutputStream& other) = default;

FileOutputStream& FileOutputStream::operator=(const FileOutputStream& other) = default;

// The File member closes the file when this is its last copy; a destructor
// cannot report a failure, so callers who care close() first.
FileOutputStream::~FileOutputStream() = default;

void FileOutputStream::close() { file.close(); }

void FileOutputStream::flush() { file.flush(); }

OutputStream& FileOutputStream::operator<<(char c) {
    file << c;
    return *this;
}

OutputStream& FileOutputStream::operator<<(const ByteArray& data) {
    file << data;
    return *this;
}

}  // namespace Korvane
