/// FileInputStream: an InputStream over a file opened for binary reading.
///
/// Chunks are what one File read gives, at most 10239 bytes. Copies share the
/// open file (and read from one position); the file is closed by close() or
/// when the last copy goes.
/// @class Korvane::FileInputStream
/// @headerfile FileInputStream.h "korvane/FileInputStream.h"
/// @ingroup io
#pragma once

#include "korvane/Export.h"
#include "korvane/File.h"
#include "korvane/InputStream.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API FileInputStream : public InputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Opens `path` for reading (mode 33). Throws IOException 0
    /// ("File::File(String)") when it cannot be opened.
    FileInputStream(const String& path);
    ///@{
    /// Copies and assignment refer to the same open file (as File copies do)
    /// and copy the pushed-back bytes and the count.
    FileInputStream(const FileInputStream& other);
    FileInputStream& operator=(const FileInputStream& other);
    ///@}
    virtual ~FileInputStream();

    // ---- InputStream -------------------------------------------------------
    /// Closes the file; pushed-back bytes can still be read.
    void close() override;
    /// True while bytes are pushed back or the file has more.
    bool hasData() const override;
    /// The whole push-back buffer when it holds anything, otherwise the next
    /// read of the file (at most 10239 bytes, empty at the end). Throws
    /// IOException 0 ("File::operator>>(ByteArray&)") on a read error.
    InputStream& operator>>(ByteArray& chunk) override;
    using InputStream::operator>>;

private:
    File file;
};

}  // namespace Korvane
