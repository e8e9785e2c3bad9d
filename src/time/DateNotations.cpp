#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "time/TokenCursor.h"

namespace Korvane {

namespace {

// The names, lower case; every long name begins with its short one, and the
// short ones differ in their three letters.
const char* const kShortWeekdays[7] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char* const kLongWeekdays[7] = {"monday", "tuesday",  "wednesday", "thursday",
                                      "friday", "saturday", "sunday"};
const char* const kShortMonths[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                      "jul", "aug", "sep", "oct", "nov", "dec"};
const char* const kLongMonths[12] = {"january", "february",  "march",   "april",
                                     "may",     "june",      "july",    "august",
                                     "september", "october", "november", "december"};

const char* const kUTCTimeLocation = "Date::makeUTCTime(const String& date)";
const char* const kGeneralizedTimeLocation = "Date::makeGeneralizedTime(const String& date)";

// The same value as text.substring(start, count).toInt(), without building
// the substring: the piece is clamped to the text and ends at a NUL.
int toIntOfPiece(const String& text, unsigned int start, unsigned int count) {
    const unsigned int length = text.length();
    // Nearly every piece is a two-digit field inside the text: read at once.
    if (count == 2 && start <= length && length - start >= 2) {
        const unsigned int tens = static_cast<unsigned char>(text.getData()[start]) - '0';
        const unsigned int units = static_cast<unsigned char>(text.getData()[start + 1]) - '0';
        if (tens <= 9 && units <= 9) return static_cast<int>(tens * 10 + units);
    }
    if (start > length) start = length;
    if (count > length - start) count = length - start;
    const char* piece = text.getData() + start;
    // The pieces are a few characters long: a loop, not a call to strnlen.
    unsigned int pieceLength = 0;
    while (pieceLength < count && piece[pieceLength] != '\0') ++pieceLength;
    return internal::tokenToInt(internal::Token{piece, pieceLength});
}

// Whether `token`, with 'A'-'Z' lowered, is `lowerName`: the comparison
// token.toLower() == lowerName without the copy.
bool equalsLowerCased(const internal::Token& token, const char* lowerName) {
    for (unsigned int i = 0; i < token.length; ++i, ++lowerName) {
        char c = token.start[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *lowerName) return false;
    }
    return *lowerName == '\0';
}

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The index of the first of `count` names whose short or long form
// `token` is, case aside, or -1. The token's first three letters pick the
// one candidate, whose long form is compared only when the token is longer.
int findName(const internal::Token& token, const char* const* shortNames,
             const char* const* longNames, int count) {
    if (token.length < 3) return -1;
    const char a = lowered(token.start[0]), b = lowered(token.start[1]), c = lowered(token.start[2]);
    for (int i = 0; i < count; ++i) {
        const char* name = shortNames[i];
        if (name[0] != a || name[1] != b || name[2] != c) continue;
        return token.length == 3 || equalsLowerCased(token, longNames[i]) ? i : -1;
    }
    return -1;
}

bool isDigitAt(const String& text, int index) {
    // The checked read-only access: running off the end throws IndexOutOfRange.
    const char c = text[index];
    return c >= '0' && c <= '9';
}

// Index of the first non-digit at or after `index`.
int skipDigits(const String& text, int index) {
    while (isDigitAt(text, index)) ++index;
    return index;
}

// The zone of an ASN.1 time's designator at `index`: 'Z' is UTC, "+hhmm"
// and "-hhmm" select the predefined zone with that offset (GMT for any
// other offset). Returns null for any other character.
const TimeZone* designatedZone(const String& text, int index) {
    const char designator = text[index];
    if (designator == 'Z') return &TimeZone::UTC;
    if (designator != '+' && designator != '-') return nullptr;
    const unsigned int first = static_cast<unsigned int>(index) + 1;
    const int east = toIntOfPiece(text, first, 2) * 3600 + toIntOfPiece(text, first + 2, 2) * 60;
    return &TimeZone::getTimeZone(designator == '+' ? -east : east);
}

}  // namespace

// ---- RFC 822 ------------------------------------------------------------------------

String Date::toString() const { return toRFC822Format(); }

String Date::toRFC822Format() const { return getFormat("%a, %d %b %Y %H:%M:%S %z"); }

// The tokens are those of StringTokenizer(date, " ,:", ""), read in place.
Date Date::makeRFC822Format(const String& date) {
    internal::TokenCursor tokens(date.getData(), " ,:");
    internal::Token dayToken = tokens.nextToken();
    // The weekday is skipped, not checked against the date.
    if (findName(dayToken, kShortWeekdays, kLongWeekdays, 7) >= 0) dayToken = tokens.nextToken();
    const int dayOfMonth = internal::tokenToInt(dayToken);

    const internal::Token monthToken = tokens.nextToken();
    const int monthNumber = findName(monthToken, kShortMonths, kLongMonths, 12) + 1;
    if (monthNumber == 0)
        throw QuillonException(QuillonError::DataFormatInvalid, " Date::makeRFC822Format(const String& date)",
                               String("The month has not been assigned"));

    const internal::Token yearToken = tokens.nextToken();
    int yearNumber = internal::tokenToInt(yearToken);
    if (yearToken.length == 2) {
        if (yearNumber >= 50 && yearNumber <= 99)
            yearNumber += 1900;
        else if (yearNumber >= 0 && yearNumber <= 49)
            yearNumber += 2000;
    }
    const int hourNumber = internal::tokenToInt(tokens.nextToken());
    const int minuteNumber = internal::tokenToInt(tokens.nextToken());

    internal::Token zoneToken = tokens.nextToken();
    int secondNumber = 0;
    if (!std::isalpha(static_cast<unsigned char>(zoneToken.start[0]))) {
        secondNumber = internal::tokenToInt(zoneToken);
        zoneToken = tokens.nextToken();
    }
    const char sign = zoneToken.start[0];
    const TimeZone* zone = nullptr;
    if (sign == '+' || sign == '-') {
        // Characters 1..2 and 3..4 of the token, as substring + toInt read them.
        const auto piece = [&zoneToken](unsigned int start) {
            const unsigned int end = start + 2 < zoneToken.length ? start + 2 : zoneToken.length;
            return internal::Token{zoneToken.start + start, end > start ? end - start : 0};
        };
        int east = internal::tokenToInt(piece(1)) * 3600 + internal::tokenToInt(piece(3)) * 60;
        if (sign == '-') east = -east;
        zone = &TimeZone::getTimeZone(-east);
    } else {
        zone = &TimeZone::findByName(zoneToken.start, zoneToken.length);
    }
    return Date(static_cast<unsigned int>(yearNumber), monthNumber - 1, dayOfMonth, hourNumber,
                minuteNumber, secondNumber, 0, *zone);
}

const Date& Date::fromRFC822Format(const String& date) {
    *this = makeRFC822Format(date);
    return *this;
}

// ---- UTCTime ------------------------------------------------------------------------

String Date::toUTCTime() const {
    const Date utc = convertedDate(year, month, day, hour, minute, seconds, milliseconds, timeZone,
                                   TimeZone::UTC);
    return utc.getFormat("%y%m%d%H%M%SZ");
}

Date Date::makeUTCTime(const String& date) {
    if (date.length() < 11)
        throw QuillonException(QuillonError::BadUTCTime, kUTCTimeLocation, String("Date string was too short"));
    const int twoDigitYear = toIntOfPiece(date, 0, 2);
    const unsigned int fullYear = static_cast<unsigned int>(twoDigitYear < 50 ? 2000 + twoDigitYear
                                                                             : 1900 + twoDigitYear);
    const int secondsEnd = skipDigits(date, 10);
    const int secondNumber = toIntOfPiece(date, 10, static_cast<unsigned int>(secondsEnd - 10));
    const TimeZone* zone = designatedZone(date, secondsEnd);
    if (zone == nullptr) throw QuillonException(QuillonError::BadUTCTime, kUTCTimeLocation, String());
    return convertedDate(fullYear, toIntOfPiece(date, 2, 2) - 1, toIntOfPiece(date, 4, 2),
                         toIntOfPiece(date, 6, 2), toIntOfPiece(date, 8, 2), secondNumber, 0, *zone,
                         TimeZone::GMT);
}

const Date& Date::fromUTCTime(const String& date) {
    *this = makeUTCTime(date);
    return *this;
}

// ---- GeneralizedTime ----------------------------------------------------------------

String Date::toGeneralizedTime() const {
    const Date utc = convertedDate(year, month, day, hour, minute, seconds, milliseconds, timeZone,
                                   TimeZone::UTC);
    if (utc.milliseconds == 0) return utc.getFormat("%Y%m%d%H%M%SZ");
    String text = utc.getFormat("%Y%m%d%H%M%S");
    text += ".";
    text += utc.milliseconds;
    text += "Z";
    return text;
}

Date Date::makeGeneralizedTime(const String& date) {
    if (date.length() < 13)
        throw QuillonException(QuillonError::BadGeneralizedTime, kGeneralizedTimeLocation,
                               String("Unable to parse the following input \"") + date + '"');
    const int secondsEnd = skipDigits(date, 12);
    const int secondNumber = toIntOfPiece(date, 12, static_cast<unsigned int>(secondsEnd - 12));
    int designatorIndex = secondsEnd;
    int millisecondNumber = 0;
    if (date[secondsEnd] == '.') {
        const int fractionStart = secondsEnd + 1;
        designatorIndex = skipDigits(date, fractionStart);
        // The first three digits count as whole milliseconds: ".5" is 5 ms,
        // matching toGeneralizedTime, which writes 5 ms as ".5".
        const int digits = designatorIndex - fractionStart;
        millisecondNumber = toIntOfPiece(date, static_cast<unsigned int>(fractionStart),
                                         static_cast<unsigned int>(digits < 3 ? digits : 3));
    }
    const TimeZone* zone = designatedZone(date, designatorIndex);
    if (zone == nullptr)
        throw QuillonException(
            QuillonError::BadGeneralizedTime, kGeneralizedTimeLocation,
            String("Failed in timezone processing, didn't find \"Z\", \"+\" or \"-\" "));
    return convertedDate(static_cast<unsigned int>(toIntOfPiece(date, 0, 4)),
                         toIntOfPiece(date, 4, 2) - 1, toIntOfPiece(date, 6, 2),
                         toIntOfPiece(date, 8, 2), toIntOfPiece(date, 10, 2), secondNumber,
                         millisecondNumber, *zone, TimeZone::GMT);
}

const Date& Date::fromGeneralizedTime(const String& date) {
    *this = makeGeneralizedTime(date);
    return *this;
}

}  // namespace Korvane
