#include "io/PlatformFile.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#include "korvane/QuillonError.h"

namespace Korvane {
namespace internal {

namespace {

// The 64-bit form, so that sizes beyond 2 GiB are told right.
bool statusOf(const ByteArray& name, struct _stat64& status) {
    return ::_stat64(static_cast<const char*>(name), &status) == 0;
}

}  // namespace

bool isDirectory(const ByteArray& name) {
    struct _stat64 status;
    return statusOf(name, status) && (status.st_mode & _S_IFMT) == _S_IFDIR;
}

long long regularFileSize(const ByteArray& name) {
    struct _stat64 status;
    if (!statusOf(name, status) || (status.st_mode & _S_IFMT) != _S_IFREG) return -1;
    return static_cast<long long>(status.st_size);
}

// The runtime's remove deletes files only: a directory, a read-only file and
// a file another process holds open without delete sharing all fail with
// EACCES; a missing file or folder, or a name too long to exist, with ENOENT.
int removeFile(const ByteArray& name) {
    if (std::remove(static_cast<const char*>(name)) == 0) return -1;
    switch (errno) {
        case EACCES:
            return static_cast<int>(QuillonError::FileIsReadOnly);
        case ENOENT:
            return static_cast<int>(QuillonError::FilePathNotFound);
        default:
            return static_cast<int>(QuillonError::UnableToPerformFileOperation);
    }
}

}  // namespace internal
}  // namespace Korvane
