/// InputStream: the source side of the library's byte streams.
///
/// A concrete stream hands out its data in chunks of a size it chooses; on top
/// of that this base offers reads of exact length, peeking and a push-back
/// buffer whose bytes are delivered before anything else. The count is the
/// number of bytes delivered minus the number pushed back, and it bounds what
/// may be pushed back: a reader can return what it took, never more.
/// @class Korvane::InputStream
/// @headerfile InputStream.h "korvane/InputStream.h"
/// @ingroup io
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"

namespace Korvane {

class OutputStream;

class KORVANE_API InputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Empty push-back buffer, count 0.
    InputStream();
    ///@{
    /// Copies and assignment copy the pushed-back bytes and the count.
    InputStream(const InputStream& other);
    InputStream& operator=(const InputStream& other);
    ///@}
    virtual ~InputStream();

    // ---- The source (supplied by each concrete stream) ---------------------
    /// Releases what the stream holds; streams without resources ignore it.
    virtual void close() = 0;
    /// True while bytes wait in the push-back buffer or the source has more.
    virtual bool hasData() const = 0;
    /// Replaces `chunk` with the next chunk: the whole push-back buffer when it
    /// holds anything (which empties it), otherwise the next block of the
    /// source, empty at the end. The count grows by the chunk's length.
    virtual InputStream& operator>>(ByteArray& chunk) = 0;

    // ---- Push-back ---------------------------------------------------------
    /// Puts `c` in front of everything still to be read and lowers the count
    /// by 1. With count 0 it throws QuillonException 31 (more pushed back than
    /// read) and leaves the stream unchanged.
    virtual void pushBack(char c);
    /// Puts the bytes of `data`, in their order, in front of everything still
    /// to be read and lowers the count by their number. More bytes than the
    /// count is QuillonException 31, stream unchanged; empty data is accepted.
    virtual void pushBack(const ByteArray& data);

    // ---- Exact reads -------------------------------------------------------
    /// The next `n` bytes, or fewer when the stream runs dry (running out is
    /// not an error). Reads whole chunks and pushes the surplus back.
    ByteArray readBlob(unsigned int n);
    /// The bytes readBlob(n) would return; they stay in the stream, so the next
    /// read returns them again and the count is unchanged.
    ByteArray peek(unsigned int n);
    /// Bytes delivered so far minus bytes pushed back. It saturates at the
    /// largest unsigned int instead of wrapping on streams past 4 GiB.
    unsigned int getCount() const;

    // ---- Piping ------------------------------------------------------------
    /// Drains this stream into `out`, chunk by chunk; returns this stream.
    InputStream& operator>>(OutputStream& out);
    /// Drains `other` onto the end of this stream's push-back buffer: its
    /// bytes come after the bytes already pushed back and before the rest of
    /// this stream's own source. The count does not change. `in << in` does
    /// nothing.
    InputStream& operator<<(InputStream& other);

protected:
    // ---- For concrete streams ----------------------------------------------
    /// Whether bytes wait in the push-back buffer.
    bool hasPushedBack() const;
    /// When bytes wait in the push-back buffer, moves all of them into
    /// `chunk`, counts them as delivered and returns true; otherwise false.
    bool deliverPushedBack(ByteArray& chunk);
    /// Counts `n` bytes taken from the source as delivered.
    void countDelivered(unsigned int n);
    /// The waiting push-back bytes in delivery order; the stream is unchanged.
    ByteArray pushedBackBytes() const;

private:
    unsigned int pushedBackLength() const;
    void prependPushedBack(const unsigned char* bytes, unsigned int n);

    /// The pushed-back bytes are pushBackBuffer[pushBackStart, length()): the
    /// slots in front of pushBackStart were delivered already and leave room
    /// to push bytes back without moving the ones behind them.
    ByteArray pushBackBuffer;
    unsigned int pushBackStart = 0;
    unsigned int count = 0;
};

}  // namespace Korvane
