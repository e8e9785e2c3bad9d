// FileOutputStream: an OutputStream into a file opened for binary writing.
//
// Opening creates the file or empties it. Bytes reach the file at flush(),
// close() or destruction; only flush() and close() can report that they did
// not. Copies share the open file; it is closed once.
#pragma once

#include "korvane/Export.h"
#include "korvane/File.h"
#include "korvane/OutputStream.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API FileOutputStream : public OutputStream {
public:
    // ---- Construction ------------------------------------------------------
    // Creates or empties `path` and opens it for writing (mode 34). Throws
    // IOException 0 ("File::File(String)") when it cannot be opened.
    FileOutputStream(const String& path);
    FileOutputStream(const FileOutputStream& other);
    FileOutputStream& operator=(const FileOutputStream& other);
    virtual ~FileOutputStream();

    // ---- OutputStream ------------------------------------------------------
    // Writes what is buffered and closes the file; IOException 0
    // ("File::close()") when the bytes cannot be written.
    void close() override;
    // IOException 0 ("File::flush()") when the bytes cannot be written.
    void flush() override;
    // Write the byte or the bytes; IOException 0
    // ("File::operator<<(ByteArray&)") when the file cannot take them.
    OutputStream& operator<<(char c) override;
    OutputStream& operator<<(const ByteArray& data) override;
    using OutputStream::operator<<;

private:
    File file;
};

}  // namespace Korvane
