// The deprecated ASCII conversions of String and its escape operations.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "text/BufferMemory.h"
#include "text/NoticeWriter.h"

namespace Korvane {

namespace {

// Set at load and cleared by the first call of their member. The exchange
// makes "at most once per process" hold even when two threads convert at the
// same moment, and keeps the flags free of data races.
std::atomic<bool> fromASCIINoticePending{true};
std::atomic<bool> getASCIIByteArrayNoticePending{true};

// The log's writer, installed when the library is loaded.
std::atomic<internal::NoticeWriter> noticeWriter{nullptr};

void writeNoticeOnce(std::atomic<bool>& pending, const char* member, const char* replacement) {
    // The flag is cleared before the notice goes out: LogFile::write converts
    // the notice with getASCIIByteArray, which would otherwise write its own
    // notice again and again. Once cleared it stays cleared, whether or not a
    // log took the notice.
    if (!pending.exchange(false)) return;
    String notice(member);
    notice += " has been deprecated, please use ";
    notice += replacement;
    notice += " instead.\r\n";
    if (const internal::NoticeWriter writer = noticeWriter.load()) writer(notice);
}

}  // namespace

void internal::installNoticeWriter(NoticeWriter writer) noexcept { noticeWriter.store(writer); }

// ---- Deprecated conversions -----------------------------------------------------------------

const String& String::fromASCII(const ByteArray& bytes) {
    writeNoticeOnce(fromASCIINoticePending, "String::fromASCII()",
                    "Please use the static method String::fromASCIIByteArray()");
    *this = fromASCIIByteArray(bytes);
    return *this;
}

void internal::noteGetASCIIByteArray() {
    writeNoticeOnce(getASCIIByteArrayNoticePending, "String::getASCIIByteArray()",
                    "Please use String::toASCIIByteArray()");
}

ByteArray String::getASCIIByteArray() const {
    internal::noteGetASCIIByteArray();
    return toASCIIByteArray();
}

// ---- Escapes ----------------------------------------------------------------------------------

void String::escapeString(const String& specials, const String& escape) {
    const unsigned int escapeLength = escape.length();
    if (escapeLength == 0) return;
    const char* const begin = getData();
    const char* const end = begin + elementCount;
    const char* const escapeBegin = escape.getData();
    const char* const escapeEnd = escapeBegin + escapeLength;
    // The text with every escape already in it doubled, so that removeEscapes
    // can tell those from the ones added below, as a series of pieces. Every
    // occurrence counts, also behind an embedded NUL, so that removeEscapes
    // undoes the whole text.
    auto forEachPiece = [&](auto&& piece) {
        const char* rest = begin;
        for (const char* hit = std::search(rest, end, escapeBegin, escapeEnd); hit != end;
             hit = std::search(rest, end, escapeBegin, escapeEnd)) {
            piece(rest, hit);
            piece(escapeBegin, escapeEnd);
            piece(escapeBegin, escapeEnd);
            rest = hit + escapeLength;
        }
        piece(rest, end);
    };
    // Special is what find() of the one-character text locates in `specials`:
    // a character before its first NUL, or NUL, whose text is the empty one.
    bool special[256] = {};
    special[0] = true;
    for (const char* c = specials.getData(); *c != '\0'; ++c) special[static_cast<unsigned char>(*c)] = true;

    std::uint64_t total = 0;
    forEachPiece([&](const char* from, const char* to) {
        for (const char* c = from; c != to; ++c) total += special[static_cast<unsigned char>(*c)] ? 1 + escapeLength : 1;
    });
    if (total >= UINT32_MAX) internal::throwArrayTooLong();
    String result(static_cast<unsigned int>(total), '\0');
    char* out = result.getData();
    forEachPiece([&](const char* from, const char* to) {
        for (const char* c = from; c != to; ++c) {
            if (special[static_cast<unsigned char>(*c)]) {
                std::memcpy(out, escapeBegin, escapeLength);
                out += escapeLength;
            }
            *out++ = *c;
        }
    });
    *this = std::move(result);
}

void String::removeEscapes(const String& escapes) {
    // NUL ends the set's text, so it is never an escape character.
    bool isEscape[256] = {};
    for (const char* c = escapes.getData(); *c != '\0'; ++c) isEscape[static_cast<unsigned char>(*c)] = true;
    const char* const characters = getData();
    const unsigned int length = elementCount;
    String result(length, '\0');
    char* const first = result.getData();
    char* out = first;
    for (unsigned int i = 0; i < length;) {
        if (!isEscape[static_cast<unsigned char>(characters[i])]) {
            *out++ = characters[i];
            i += 1;
        } else if (i + 1 < length && isEscape[static_cast<unsigned char>(characters[i + 1])]) {
            *out++ = characters[i + 1];
            i += 2;
        } else {
            i += 1;
        }
    }
    result.elementCount = static_cast<unsigned int>(out - first);
    result.terminate();
    *this = std::move(result);
}

}  // namespace Korvane
