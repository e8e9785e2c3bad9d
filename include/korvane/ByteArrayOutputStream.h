/// ByteArrayOutputStream: an OutputStream that collects everything written to
/// it in one ByteArray. close() and flush() do nothing; writing goes on working
/// after close().
/// @class Korvane::ByteArrayOutputStream
/// @headerfile ByteArrayOutputStream.h "korvane/ByteArrayOutputStream.h"
/// @ingroup io
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/OutputStream.h"

namespace Korvane {

class KORVANE_API ByteArrayOutputStream : public OutputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Nothing written yet.
    ByteArrayOutputStream();
    ///@{
    /// Copies and assignment copy everything written so far and the count.
    ByteArrayOutputStream(const ByteArrayOutputStream& other);
    ByteArrayOutputStream& operator=(const ByteArrayOutputStream& other);
    ///@}
    virtual ~ByteArrayOutputStream();

    // ---- OutputStream ------------------------------------------------------
    /// Do nothing.
    void close() override;
    void flush() override;
    /// Append the byte or the bytes; return this stream.
    OutputStream& operator<<(char c) override;
    OutputStream& operator<<(const ByteArray& data) override;
    /// Drains `in` into this stream (as OutputStream::operator<<).
    ByteArrayOutputStream& operator<<(InputStream& in);

    // ---- Access ------------------------------------------------------------
    /// Everything written since construction or the last reset().
    const ByteArray& getByteArray() const;
    /// Forgets everything written; the old bytes are wiped.
    void reset();

private:
    ByteArray data;
};

}  // namespace Korvane
