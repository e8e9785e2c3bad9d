#include "korvane/InputStream.h"

#include <climits>
#include <cstring>
#include <utility>

#include "korvane/OutputStream.h"
#include "korvane/QuillonException.h"
#include "korvane/String.h"

namespace Korvane {

InputStream::InputStream() = default;

InputStream::InputStream(const InputStream& other) = default;

InputStream& InputStream::operator=(const InputStream& other) = default;

InputStream::~InputStream() = default;

// ---- Push-back ---------------------------------------------------------------------------------

unsigned int InputStream::pushedBackLength() const {
    return pushBackBuffer.length() - pushBackStart;
}

bool InputStream::hasPushedBack() const { return pushedBackLength() != 0; }

ByteArray InputStream::pushedBackBytes() const {
    if (pushBackStart == 0) return pushBackBuffer;
    return ByteArray(pushBackBuffer.getData(), pushBackStart, pushedBackLength());
}

bool InputStream::deliverPushedBack(ByteArray& chunk) {
    const unsigned int waiting = pushedBackLength();
    if (waiting == 0) return false;
    chunk = pushedBackBytes();
    pushBackBuffer = ByteArray();
    pushBackStart = 0;
    countDelivered(waiting);
    return true;
}

void InputStream::countDelivered(unsigned int n) {
    // Saturating: a wrapped count would forbid pushing back bytes just read
    // and, worse, could later allow pushing back bytes never read.
    count = n > UINT_MAX - count ? UINT_MAX : count + n;
}

// Readers push back what they just took, so the slots in front of
// pushBackStart usually have room and nothing moves. When they do not, the
// new buffer keeps a gap in front as large as its contents, which makes a
// long run of single-byte push-backs cost amortised constant time.
void InputStream::prependPushedBack(const unsigned char* bytes, unsigned int n) {
    if (n == 0) return;
    if (n <= pushBackStart) {
        pushBackStart -= n;
        std::memcpy(pushBackBuffer.getData() + pushBackStart, bytes, n);
        return;
    }
    const unsigned int waiting = pushedBackLength();
    if (waiting == 0) {
        pushBackBuffer = ByteArray(bytes, n);
        pushBackStart = 0;
        return;
    }
    const unsigned int gap = n + waiting;
    ByteArray grown(gap + n + waiting, '\0');
    std::memcpy(grown.getData() + gap, bytes, n);
    std::memcpy(grown.getData() + gap + n, pushBackBuffer.getData() + pushBackStart, waiting);
    pushBackBuffer = grown;
    pushBackStart = gap;
}

void InputStream::pushBack(char c) {
    if (count == 0) throw QuillonException(QuillonError::PushBackBeyondRead, "InputStream::pushBack(char)", String::emptyString);
    const unsigned char byte = static_cast<unsigned char>(c);
    prependPushedBack(&byte, 1);
    --count;
}

void InputStream::pushBack(const ByteArray& data) {
    if (data.length() > count)
        throw QuillonException(QuillonError::PushBackBeyondRead, "InputStream::pushBack(const ByteArray&)", String::emptyString);
    prependPushedBack(data.getData(), data.length());
    count -= data.length();
}

unsigned int InputStream::getCount() const { return count; }

// ---- Exact reads -------------------------------------------------------------------------------

ByteArray InputStream::readBlob(unsigned int n) {
    if (n == 0) return ByteArray();
    if (pushedBackLength() >= n) {
        // The result is built right where the caller receives it, so the
        // stream advances first and steps back should the copy fail.
        const unsigned int start = pushBackStart;
        const unsigned int countBefore = count;
        pushBackStart += n;
        countDelivered(n);
        try {
            return ByteArray(pushBackBuffer.getData(), start, n);
        } catch (...) {
            pushBackStart = start;
            count = countBefore;
            throw;
        }
    }
    ByteArray accumulator;
    ByteArray chunk;
    while (accumulator.length() < n) {
        if (!hasData()) return accumulator;
        *this >> chunk;
        // A stream that claims data but delivers none would keep us here
        // forever; what it has delivered so far is all there is.
        if (chunk.length() == 0) return accumulator;
        const unsigned int wanted = n - accumulator.length();
        if (chunk.length() > wanted && !hasPushedBack()) {
            // The surplus goes back where it came from: the chunk itself
            // becomes the push-back buffer, its first `wanted` bytes already
            // delivered, so nothing behind them is copied.
            accumulator += ByteArray(chunk.getData(), wanted);
            pushBackBuffer = std::move(chunk);
            pushBackStart = wanted;
            count -= pushedBackLength();
            return accumulator;
        }
        if (accumulator.length() == 0)
            accumulator = std::move(chunk);
        else
            accumulator += chunk;
    }
    if (accumulator.length() == n) return accumulator;
    pushBack(accumulator.right(n));
    return accumulator.left(n);
}

ByteArray InputStream::peek(unsigned int n) {
    const ByteArray bytes = readBlob(n);
    pushBack(bytes);
    return bytes;
}

// ---- Piping ------------------------------------------------------------------------------------

InputStream& InputStream::operator>>(OutputStream& out) {
    ByteArray chunk;
    while (hasData()) {
        *this >> chunk;
        if (chunk.length() == 0) break;  // see readBlob
        out << chunk;
    }
    return *this;
}

InputStream& InputStream::operator<<(InputStream& other) {
    if (&other == this) return *this;
    ByteArray chunk;
    while (other.hasData()) {
        other >> chunk;
        if (chunk.length() == 0) break;  // see readBlob
        pushBackBuffer += chunk;
    }
    return *this;
}

}  // namespace Korvane
