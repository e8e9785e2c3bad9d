/// OutputStream: the sink side of the library's byte streams.
///
/// A concrete stream takes single bytes and ByteArray blocks; this base adds
/// draining an InputStream into it. It has no state of its own.
/// @class Korvane::OutputStream
/// @headerfile OutputStream.h "korvane/OutputStream.h"
/// @ingroup io
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"

namespace Korvane {

class InputStream;

class KORVANE_API OutputStream {
public:
    // ---- Construction ------------------------------------------------------
    OutputStream();
    ///@{
    /// Copies and assignment copy the count.
    OutputStream(const OutputStream& other);
    OutputStream& operator=(const OutputStream& other);
    ///@}
    virtual ~OutputStream();

    // ---- The sink (supplied by each concrete stream) -----------------------
    /// Releases what the stream holds; streams without resources ignore it.
    virtual void close() = 0;
    /// Hands buffered bytes on to where they go.
    virtual void flush() = 0;
    /// Writes the one byte `c`; returns this stream.
    virtual OutputStream& operator<<(char c) = 0;
    /// Writes all bytes of `data`; returns this stream.
    virtual OutputStream& operator<<(const ByteArray& data) = 0;

    // ---- Piping ------------------------------------------------------------
    /// Reads `in` chunk by chunk until it has no data and writes every chunk
    /// with the ByteArray form; returns this stream.
    OutputStream& operator<<(InputStream& in);
};

}  // namespace Korvane
