// The deprecated ASCII conversions of String and its escape operations.
#include <algorithm>
#include <atomic>
#include <cstring>

#include "korvane/ByteArray.h"
#include "korvane/String.h"
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

bool isEscape(char c, const String& escapes) {
    return c != '\0' && std::strchr(escapes.getData(), c) != nullptr;
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

ByteArray String::getASCIIByteArray() const {
    writeNoticeOnce(getASCIIByteArrayNoticePending, "String::getASCIIByteArray()",
                    "Please use String::toASCIIByteArray()");
    return toASCIIByteArray();
}

// ---- Escapes ----------------------------------------------------------------------------------

void String::escapeString(const String& specials, const String& escape) {
    // Escapes already in the text are doubled first, so that removeEscapes
    // can tell them from the ones added below. Every occurrence counts, also
    // behind an embedded NUL, so that removeEscapes undoes the whole text.
    String doubled;
    const char* const begin = getData();
    const char* const end = begin + elementCount;
    const char* rest = begin;
    if (escape.length() != 0) {
        const char* const escapeBegin = escape.getData();
        const char* const escapeEnd = escapeBegin + escape.length();
        for (const char* hit = std::search(rest, end, escapeBegin, escapeEnd); hit != end;
             hit = std::search(rest, end, escapeBegin, escapeEnd)) {
            doubled.appendCharacters(rest, static_cast<unsigned int>(hit - rest));
            doubled += escape;
            doubled += escape;
            rest = hit + escape.length();
        }
    }
    doubled.appendCharacters(rest, static_cast<unsigned int>(end - rest));

    String result;
    for (unsigned int i = 0; i < doubled.length(); ++i) {
        const char c = doubled.getData()[i];
        if (specials.find(String(c)) != nullptr) result += escape;
        result += c;
    }
    *this = result;
}

void String::removeEscapes(const String& escapes) {
    String result;
    const char* characters = getData();
    for (unsigned int i = 0; i < elementCount;) {
        if (!isEscape(characters[i], escapes)) {
            result += characters[i];
            i += 1;
        } else if (i + 1 < elementCount && isEscape(characters[i + 1], escapes)) {
            result += characters[i + 1];
            i += 2;
        } else {
            i += 1;
        }
    }
    *this = result;
}

}  // namespace Korvane
