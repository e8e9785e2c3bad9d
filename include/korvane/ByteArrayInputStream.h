/// ByteArrayInputStream: an InputStream over a private copy of some bytes.
///
/// Chunks are 10240 bytes, the last one holds the rest. The stream holds no
/// resource: close() does nothing and reading goes on working after it.
/// @class Korvane::ByteArrayInputStream
/// @headerfile ByteArrayInputStream.h "korvane/ByteArrayInputStream.h"
/// @ingroup io
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/InputStream.h"

namespace Korvane {

class KORVANE_API ByteArrayInputStream : public InputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Reads from a copy of `data`, from its first byte.
    ByteArrayInputStream(const ByteArray& data);
    ///@{
    /// Copies and assignment copy the data, the read position, the pushed-back
    /// bytes and the count.
    ByteArrayInputStream(const ByteArrayInputStream& other);
    ByteArrayInputStream& operator=(const ByteArrayInputStream& other);
    ///@}
    virtual ~ByteArrayInputStream();

    // ---- InputStream -------------------------------------------------------
    /// Does nothing.
    void close() override;
    /// True while bytes are pushed back or unread data remains.
    bool hasData() const override;
    /// The whole push-back buffer when it holds anything; otherwise the next
    /// min(10240, remaining) bytes of the data, empty at the end.
    InputStream& operator>>(ByteArray& chunk) override;
    using InputStream::operator>>;

    // ---- Access ------------------------------------------------------------
    /// The pushed-back bytes followed by the unread data; the stream is not
    /// changed.
    ByteArray getByteArray() const;

private:
    /// The largest chunk taken from the data in one read.
    static constexpr unsigned int chunkSize = 10240;

    unsigned int position = 0;
    ByteArray data;
};

}  // namespace Korvane
