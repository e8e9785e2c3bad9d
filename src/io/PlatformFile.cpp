#include "io/PlatformFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/BufferMemory.h"
#include "korvane/QuillonError.h"

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

bool isDirectory(const ByteArray& name) {
    struct stat status;
    return ::stat(static_cast<const char*>(name), &status) == 0 && S_ISDIR(status.st_mode);
}

long long regularFileSize(const ByteArray& name) {
    struct stat status;
    if (::stat(static_cast<const char*>(name), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return static_cast<long long>(status.st_size);
}

// Removal follows the file deletion of the Windows runtime the library was
// first written for, mapped onto POSIX:
//  - Only files are removed (unlink, not remove, which would also take away
//    an empty directory); a directory is refused as access denied, as there.
//  - A regular file that grants write permission to nobody is that
//    platform's read-only file: it is refused as access denied, whoever
//    asks (root included), instead of being unlinked.
//  - errno to error number:
//      EACCES, EPERM, EROFS, EISDIR, EBUSY, ETXTBSY      -> 32 "The file is read only"
//      ENOENT, ENOTDIR, ENAMETOOLONG, ELOOP              -> 33 "File path not found"
//      anything else (EIO, ENOMEM, ...)                  -> 0  "Unable to perform file operation"
//    (The original maps its own causes the same way: denied access and
//    sharing violations to 32, a missing file or directory or an over-long
//    name to 33.)
int removeFile(const ByteArray& name) {
    const char* path = static_cast<const char*>(name);
    struct stat status;
    if (::lstat(path, &status) == 0) {
        if (S_ISDIR(status.st_mode)) return static_cast<int>(QuillonError::FileIsReadOnly);
        if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return static_cast<int>(QuillonError::FileIsReadOnly);
    }
    if (::unlink(path) == 0) return -1;
    switch (errno) {
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EBUSY:
        case ETXTBSY:
            return static_cast<int>(QuillonError::FileIsReadOnly);
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return static_cast<int>(QuillonError::FilePathNotFound);
        default:
            return static_cast<int>(QuillonError::UnableToPerformFileOperation);
    }
}

}  // namespace internal
}  // namespace Korvane
