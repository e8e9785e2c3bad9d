#include "io/PlatformFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "korvane/QuillonError.h"

namespace Korvane {
namespace internal {

bool isDirectory(const ByteArray& name) {
    struct stat status;
    return ::stat(static_cast<const char*>(name), &status) == 0 && S_ISDIR(status.st_mode);
}

long long regularFileSize(const ByteArray& name) {
    struct stat status;
    if (::stat(static_cast<const char*>(name), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    return static_cast<long long>(status.st_size);
}

// Removal keeps the outcomes of the Windows runtime's file deletion
// (PlatformFileWindows.cpp), so a caller sees the same error for the same
// cause on either platform:
//  - Only files are removed (unlink, not remove, which would also take away
//    an empty directory); a directory is refused as access denied, as there.
//  - A regular file that grants write permission to nobody is that
//    platform's read-only file: it is refused as access denied, whoever
//    asks (root included), instead of being unlinked.
//  - errno to error number:
//      EACCES, EPERM, EROFS, EISDIR, EBUSY, ETXTBSY      -> 32 "The file is read only"
//      ENOENT, ENOTDIR, ENAMETOOLONG, ELOOP              -> 33 "File path not found"
//      anything else (EIO, ENOMEM, ...)                  -> 0  "Unable to perform file operation"
//    The Windows runtime sorts its causes the same way: denied access and
//    sharing violations to 32, a missing file or directory or an over-long
//    name to 33.
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
