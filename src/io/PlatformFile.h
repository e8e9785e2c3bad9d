// The file layer's contact with the platform: path names, open modes,
// opening with the checks the library wants, and file removal with its
// failure causes. Internal to the library.
#pragma once

#include <cstddef>
#include <fstream>
#include <ios>
#include <memory>

#include "korvane/ByteArray.h"
#include "korvane/File.h"
#include "korvane/String.h"

namespace Korvane {
namespace internal {

// The storage of a standard file buffer. The default (8 KiB) costs one
// system call per 8 KiB or, for reads larger than it, one per read; 64 KiB
// lets the 10239-byte reads of the library take several blocks from one
// call. It is wiped when the file is done with, as file contents may be keys.
class StreamBuffer {
public:
    static constexpr std::size_t size = 64 * 1024;

    StreamBuffer();
    ~StreamBuffer();
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;

    // Gives `stream` this storage; call before it opens a file, and keep
    // this object alive until the stream is closed.
    void attach(std::basic_ios<char>& stream);

private:
    std::unique_ptr<char[]> storage;
};

// An open file of a File object, shared by its copies: the standard stream
// and the storage of its buffer, which must outlive it. Destroying it closes
// the file.
struct OpenFile {
    OpenFile();
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    StreamBuffer buffer;
    std::fstream stream;
    // Whether a throw has told the caller that the stream failed; flush and
    // close report a failure that no throw has told of yet.
    bool failureReported = false;
};

// The path's ASCII bytes as a NUL-terminated platform name in `name`. False
// for a path with an embedded NUL character: handing it on would silently
// name a different file (the part before the NUL), so it names none.
bool toPlatformName(const String& path, ByteArray& name);

// The library's open-mode bits (1 read, 2 write, 4 at end, 8 append,
// 16 truncate, 32 binary) as a standard stream open mode. Other bits are
// ignored.
std::ios_base::openmode toOpenMode(int mode);

// Opens `stream` on `name`; false (and the stream's failbit set) when the
// platform refuses or when `name` is a directory, which a file stream on
// Linux could open for reading but never read.
template <class FileStream>
bool openFileStream(FileStream& stream, const ByteArray& name, std::ios_base::openmode mode);

bool isDirectory(const ByteArray& name);

// The size of the regular file `name`, or -1 when it is not one (missing,
// a device, a pipe) or its size cannot be told.
long long regularFileSize(const ByteArray& name);

// Removes the file `name`. Returns -1 on success, otherwise the library's
// error number for the cause: 32 access denied, 33 file or path not found,
// 0 anything else.
int removeFile(const ByteArray& name);

template <class FileStream>
bool openFileStream(FileStream& stream, const ByteArray& name, std::ios_base::openmode mode) {
    stream.open(static_cast<const char*>(name), mode);
    if (!stream.is_open()) return false;
    if (isDirectory(name)) {
        stream.close();
        stream.setstate(std::ios_base::failbit);
        return false;
    }
    return true;
}

}  // namespace internal

// File's handle on its open file.
struct File::OpenFile : internal::OpenFile {};

}  // namespace Korvane
