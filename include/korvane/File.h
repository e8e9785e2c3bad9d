/// File: one open file, read and written in ByteArray blocks, and whole-file
/// operations by path (load, save, exists, create, remove).
///
/// Contents are raw bytes; paths are handed to the platform as their ASCII
/// bytes. Reads go through one 10240-byte buffer per file, allocated on first
/// use, taking at most 10239 bytes at a time, and never put the file into a
/// failed state; a failed write does, and every later read or write throws.
/// Copies refer to the same open file and share the read buffer: the file is
/// closed once, by close() or when its last copy goes.
/// @class Korvane::File
/// @headerfile File.h "korvane/File.h"
/// @ingroup io
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/SmartPointer.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API File {
public:
    /// The bits of the open mode; combine them with |.
    enum OPEN_MODE {
        MODE_READ = 1,
        MODE_WRITE = 2,
        MODE_AT_END = 4,     ///< position at the end after opening
        MODE_APPEND = 8,     ///< every write goes to the end
        MODE_TRUNCATE = 16,  ///< empty the file on opening
        MODE_BINARY = 32     // no text translation (none happens on this platform)
    };

    // ---- Construction ------------------------------------------------------
    /// Opens `path` with the OPEN_MODE bits in `mode` (other bits are ignored).
    /// Throws IOException 0 (location "File::File(String)", no extra text)
    /// when the platform refuses the mode or the path, when the path is a
    /// directory, and when it holds a NUL character.
    File(const String& path, int mode);
    ///@{
    /// Refers to the same open file and shares its read buffer.
    File(const File& other);
    File& operator=(const File& other);
    ///@}
    /// Releases this copy; the last copy of an open file closes it (errors
    /// are not reported here: close() first to see them).
    virtual ~File();

    // ---- Reading and writing -----------------------------------------------
    /// Replaces `chunk` with the next bytes of the file, at most 10239 of
    /// them; empty at the end or on a file not open for reading. Throws
    /// IOException 0 ("File::operator>>(ByteArray&)") when the file is in a
    /// failed state or the platform reports a read error.
    File& operator>>(ByteArray& chunk);
    /// Writes all bytes of `data`. Throws IOException 0
    /// ("File::operator<<(ByteArray&)") when the file is in a failed state. A
    /// write that fails (full disk, file not open for writing, closed file)
    /// returns and leaves the file failed: the next read or write throws, and
    /// so do flush() and close() when no throw has reported it yet.
    File& operator<<(const ByteArray& data);
    /// Writes the one byte `c`; errors as for the ByteArray form.
    File& operator<<(char c);
    /// True when at least one more byte can be read (also when trying to read
    /// one fails: the next read then reports the error).
    bool available() const;
    /// Hands buffered bytes to the platform. Throws IOException 0
    /// ("File::flush()") when they cannot be written or an earlier write
    /// failed, unless a throw has already reported that failure.
    void flush();
    /// Writes what is buffered and closes the file for every copy; a closed
    /// file is left alone. Throws IOException 0 ("File::close()") when the
    /// buffered bytes cannot be written or an earlier write failed, unless a
    /// throw has already reported that failure; the file is closed nevertheless.
    /// These two throws are ours: without them a failed last write would pass
    /// unnoticed.
    void close();

    // ---- Whole files -------------------------------------------------------
    /// Every byte of the file `path`. Throws IOException 0 ("File::load(String)",
    /// extra text the path) when it cannot be opened for reading (missing, a
    /// directory, no permission), cannot be read, or holds 4 GiB or more.
    static ByteArray load(const String& path);
    /// Makes `path` a file holding exactly `data` (created, or emptied first).
    /// Throws IOException 0 ("File::save(String, ByteArray)", extra text the
    /// path) when it cannot be opened for writing or the bytes cannot be
    /// written.
    static void save(const String& path, const ByteArray& data);
    /// True when `path` is a file that can be opened for reading. Never throws.
    static bool exists(const String& path);
    /// Makes `path` an empty file (created, or emptied). Reports nothing: a
    /// path that cannot be created is left as it is.
    static void create(const String& path);
    /// Deletes the file `path` (not a directory). Throws IOException with the
    /// location "File::remove" and the path as extra text: 32 when access is
    /// denied (a read-only file, that is one nobody may write; a directory; a
    /// read-only file system), 33 when the file or a directory on its path does
    /// not exist, 0 for other causes. A path holding a NUL character names no
    /// file, here and in every member that takes a path.
    static void remove(const String& path);

private:
    /// Empty until the first read, then 10240 bytes.
    SmartPointer<unsigned char> readBuffer;
    /// The standard file stream (with its buffer), shared by all copies.
    struct OpenFile;  ///< defined inside the library
    SmartPointer<OpenFile> file;
};

}  // namespace Korvane
