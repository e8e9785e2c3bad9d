/// FileOutputStream: an OutputStream into a file opened for binary writing.
///
/// Opening creates the file or empties it. Bytes reach the file at flush(),
/// close() or destruction. A write that fails leaves the file failed and the
/// next call reports it (see File). Copies share the open file; it is closed
/// once.
/// @class Korvane::FileOutputStream
/// @headerfile FileOutputStream.h "korvane/FileOutputStream.h"
/// @ingroup io
#pragma once

#include "korvane/Export.h"
#include "korvane/File.h"
#include "korvane/OutputStream.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API FileOutputStream : public OutputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Creates or empties `path` and opens it for writing (mode 34). Throws
    /// IOException 0 ("File::File(String)") when it cannot be opened.
    FileOutputStream(const String& path);
    ///@{
    /// Copies and assignment refer to the same open file (as File copies do)
    /// and copy the count.
    FileOutputStream(const FileOutputStream& other);
    FileOutputStream& operator=(const FileOutputStream& other);
    ///@}
    virtual ~FileOutputStream();

    // ---- OutputStream ------------------------------------------------------
    /// Writes what is buffered and closes the file; IOException 0
    /// ("File::close()") when the bytes cannot be written or an earlier write
    /// failed and no throw has reported it yet.
    void close() override;
    /// IOException 0 ("File::flush()") as for close().
    void flush() override;
    /// Write the byte or the bytes; IOException 0
    /// ("File::operator<<(ByteArray&)") when the file is in a failed state
    /// (a write that fails itself returns; the next call reports it).
    OutputStream& operator<<(char c) override;
    OutputStream& operator<<(const ByteArray& data) override;
    using OutputStream::operator<<;

private:
    File file;
};

}  // namespace Korvane
