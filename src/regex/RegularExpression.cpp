#include "korvane/RegularExpression.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "korvane/ByteArray.h"
#include "korvane/QuillonException.h"
#include "regex/RegexCompiler.h"
#include "regex/RegexMatcher.h"
#include "regex/RegexProgram.h"
#include "text/BufferMemory.h"
#include "text/NoticeWriter.h"

namespace Korvane {

using regex::Program;

namespace {

const char* const kNextMatchIndexLocation = "RegularExpression::nextMatch(int)";
const char* const kNextMatchLocation = "RegularExpression::nextMatch(index)";
const char* const kSearchLocation = "RegularException::regexec(String)";
const char* const kSubstituteLocation = "RegularExpression::regsub(String)";

// A copy of `source` whose sub-match slots point into `subject` where the
// source's pointed into `sourceSubject`, and whose required literal points
// into its own code.
Program* copyProgram(const Program* source, const char* sourceSubject, const char* subject) {
    if (source == nullptr) return nullptr;
    void* block = std::malloc(source->blockSize);
    if (block == nullptr) throw std::bad_alloc();
    std::memcpy(block, source, source->blockSize);
    Program* copy = static_cast<Program*>(block);
    for (int i = 0; i < regex::kSubExpressions; ++i) {
        if (source->startp[i] != nullptr)
            copy->startp[i] = subject + (source->startp[i] - sourceSubject);
        if (source->endp[i] != nullptr)
            copy->endp[i] = subject + (source->endp[i] - sourceSubject);
    }
    if (source->regmust != nullptr)
        copy->regmust = reinterpret_cast<const char*>(copy->code) +
                        (source->regmust - reinterpret_cast<const char*>(source->code));
    return copy;
}

}  // namespace

// ---- Construction -----------------------------------------------------------

RegularExpression::RegularExpression(const String& pattern, const String& subjectString)
    : pattern(pattern),
      // Pattern and subject reach the engine through the older
      // getASCIIByteArray conversion, whose one-time notice an active log
      // records, as for every other String the library hands to C code.
      subject(new ByteArray(subjectString.getASCIIByteArray())),
      subjectLength(0),
      prog(nullptr),
      matched(false) {
    // The text ends at its first NUL; the bytes behind one are kept but
    // never looked at.
    const char* bytes = subjectText();
    subjectLength = static_cast<unsigned int>(strnlen(bytes, subject->length()));

    try {
        const ByteArray patternBytes = pattern.getASCIIByteArray();
        const char* patternText = reinterpret_cast<const char*>(patternBytes.getData());
        prog = static_cast<Program*>(regex::Compiler::compile(patternText != nullptr ? patternText : ""));
        if (prog != nullptr) regexec(subjectText());
    } catch (...) {
        release();
        throw;
    }
}

RegularExpression::RegularExpression(const RegularExpression& other)
    : pattern(other.pattern),
      subject(other.subject != nullptr ? new ByteArray(*other.subject) : nullptr),
      subjectLength(other.subjectLength),
      prog(nullptr),
      matched(other.matched) {
    try {
        prog = static_cast<Program*>(copyProgram(other.prog, other.subjectText(), subjectText()));
    } catch (...) {
        release();
        throw;
    }
}

RegularExpression& RegularExpression::operator=(const RegularExpression& other) {
    if (this == &other) return *this;
    RegularExpression copy(other);
    pattern = other.pattern;
    std::swap(subject, copy.subject);
    std::swap(subjectLength, copy.subjectLength);
    std::swap(prog, copy.prog);
    std::swap(matched, copy.matched);
    return *this;
}

RegularExpression::RegularExpression(RegularExpression&& other) noexcept
    : pattern(std::move(other.pattern)),
      subject(other.subject),
      subjectLength(other.subjectLength),
      prog(other.prog),
      matched(other.matched) {
    other.subject = nullptr;
    other.subjectLength = 0;
    other.prog = nullptr;
    other.matched = false;
}

RegularExpression& RegularExpression::operator=(RegularExpression&& other) noexcept {
    if (this == &other) return *this;
    release();
    pattern = std::move(other.pattern);
    std::swap(subject, other.subject);
    std::swap(prog, other.prog);
    subjectLength = other.subjectLength;
    other.subjectLength = 0;
    matched = other.matched;
    other.matched = false;
    return *this;
}

RegularExpression::~RegularExpression() { release(); }

void RegularExpression::release() {
    std::free(prog);
    prog = nullptr;
    delete subject;
    subject = nullptr;
}

// ---- Match state ------------------------------------------------------------

bool RegularExpression::hasExpression() const {
    return prog != nullptr && prog->startp[0] != nullptr && prog->endp[0] != nullptr &&
           prog->startp[0] != prog->endp[0] && matched;
}

unsigned int RegularExpression::getNumberSubExpressions() const {
    if (prog == nullptr) return 0;
    unsigned int count = 0;
    while (count < regex::kSubExpressions && prog->startp[count] != nullptr) ++count;
    return count;
}

// ---- Searching --------------------------------------------------------------

void RegularExpression::regexec(const char* from) {
    if (prog == nullptr) throw QuillonException(QuillonError::RegularExpressionNull, kSearchLocation, String());
    if (prog->code[0] != regex::kMagic) throw QuillonException(QuillonError::CorruptedInternalRegexp, kSearchLocation, String());
    regex::Matcher matcher(*prog, subjectText(), subjectLength);
    matched = matcher.search(from);
}

String RegularExpression::nextMatch(unsigned int index) {
    if (index >= regex::kSubExpressions) {
        String extra("Cannot have ");
        extra += index;
        extra += " >= ";
        extra += regex::kSubExpressions;
        throw QuillonException(QuillonError::IndexOutOfRange, kNextMatchIndexLocation, extra);
    }
    if (prog == nullptr) throw QuillonException(QuillonError::RegularExpressionNull, kNextMatchLocation, String());
    const char* start = prog->startp[index];
    if (start == nullptr) throw QuillonException(QuillonError::SubExpressionNull, kNextMatchLocation, String());

    // Taken before the search below rewrites the slots.
    const char* end = prog->endp[index];
    const unsigned int count =
        end != nullptr && end > start ? static_cast<unsigned int>(end - start) : 0;
    const String text(start, count);

    regexec(prog->endp[0]);
    return text;
}

// ---- Substitution -----------------------------------------------------------

String RegularExpression::substitute(const String& source) {
    if (prog == nullptr) return String();
    return regsub(source);
}

namespace {

// Walks a substitution template: `literal(c)` for each character that stands
// for itself, `group(start, length)` for each reference to a sub-match that
// matched some text. The template ends at its first NUL, as its ASCII bytes
// do.
template <class Literal, class Group>
void walkTemplate(const char* in, const Program& prog, Literal literal, Group group) {
    while (*in != '\0') {
        char c = *in++;
        int reference = -1;
        if (c == '&') {
            reference = 0;
        } else if (c == '\\' && *in >= '0' && *in <= '9') {
            reference = *in++ - '0';
        }
        if (reference < 0) {
            if (c == '\\' && (*in == '\\' || *in == '&')) c = *in++;
            literal(c);
            continue;
        }
        const char* start = prog.startp[reference];
        const char* end = prog.endp[reference];
        // A sub-match is text of the subject, which ends at its first NUL.
        if (start != nullptr && end != nullptr && end > start)
            group(start, static_cast<unsigned int>(strnlen(start, std::size_t(end - start))));
    }
}

}  // namespace

// The template is read in place and the result built in one buffer of its
// exact size: a first walk counts, a second one writes.
String RegularExpression::regsub(const String& source) const {
    if (prog == nullptr) throw QuillonException(QuillonError::RegularExpressionNull, kSubstituteLocation, String());
    if (prog->code[0] != regex::kMagic) throw QuillonException(QuillonError::CorruptedInternalRegexp, kSubstituteLocation, String());

    internal::noteGetASCIIByteArray();
    const char* const in = source.getData();
    std::uint64_t length = 0;
    walkTemplate(
        in, *prog, [&length](char) { ++length; },
        [&length](const char*, unsigned int count) { length += count; });
    if (length >= UINT32_MAX) internal::throwArrayTooLong();
    String result(static_cast<unsigned int>(length), '\0');
    char* out = result.getData();
    walkTemplate(
        in, *prog, [&out](char c) { *out++ = c; },
        [&out](const char* start, unsigned int count) {
            std::memcpy(out, start, count);
            out += count;
        });
    return result;
}

// ---- Globs ------------------------------------------------------------------

namespace {

// Punctuation as the C locale classifies it: printable ASCII that is neither a
// letter, a digit nor a space. Bytes of 0x80 and above count as ordinary
// characters, so they pass through unchanged; they are ordinary in a pattern
// too. A fixed table keeps the result independent of setlocale calls made by
// the application.
bool isPunctuation(unsigned char c) {
    return c > 0x20 && c < 0x7F && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                     (c >= 'a' && c <= 'z'));
}

}  // namespace

String RegularExpression::glob2RegularExpression(const String& glob) {
    String result("^");
    const String& text = glob;
    for (unsigned int i = 0; i < text.length(); ++i) {
        const char c = text[i];
        if (c == '*') {
            result += ".*";
        } else if (c == '\\') {
            // The read of the escaped character is bounds checked: a trailing
            // backslash throws IndexOutOfRange.
            const char escaped = text[i + 1];
            ++i;
            result += '\\';
            result += escaped;
        } else if (isPunctuation(static_cast<unsigned char>(c))) {
            result += '\\';
            result += c;
        } else {
            result += c;
        }
    }
    result += '$';
    return result;
}

}  // namespace Korvane
