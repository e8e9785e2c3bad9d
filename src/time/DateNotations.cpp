#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/StringTokenizer.h"

namespace Korvane {

namespace {

const char* const kShortWeekdays[7] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char* const kLongWeekdays[7] = {"monday", "tuesday",  "wednesday", "thursday",
                                      "friday", "saturday", "sunday"};
// Entry 0 is never matched: months are looked up from index 1.
const char* const kShortMonths[13] = {"",    "jan", "feb", "mar", "apr", "may", "jun",
                                      "jul", "aug", "sep", "oct", "nov", "dec"};
const char* const kLongMonths[13] = {"",     "january", "february",  "march",   "april",
                                     "may",  "june",    "july",      "august",  "september",
                                     "october", "november", "december"};

const char* const kUTCTimeLocation = "Date::makeUTCTime(const String& date)";
const char* const kGeneralizedTimeLocation = "Date::makeGeneralizedTime(const String& date)";

// The same value as text.substring(start, count).toInt(), without building
// the substring: the piece ends at the text's end or its first NUL, leading
// '0's are skipped, the rest must read completely with strtol base 0 (else
// 0), and the value saturates at the int range.
int toIntOfPiece(const String& text, unsigned int start, unsigned int count) {
    const unsigned int length = text.length();
    if (start > length) start = length;
    if (count > length - start) count = length - start;
    char piece[32];
    unsigned int used = 0;
    const char* source = text.getData() + start;
    while (used < count && source[used] != '\0') {
        if (used == sizeof piece - 1) return String(source, count).toInt();
        piece[used] = source[used];
        ++used;
    }
    piece[used] = '\0';
    const char* digits = piece;
    while (*digits == '0') ++digits;
    char* end = nullptr;
    const long value = std::strtol(digits, &end, 0);
    if (*end != '\0') return 0;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
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

const String Date::toString() const { return toRFC822Format(); }

const String Date::toRFC822Format() const { return getFormat("%a, %d %b %Y %H:%M:%S %z"); }

const Date Date::makeRFC822Format(const String& date) {
    StringTokenizer tokens(date, String(" ,:"), String());
    const String* dayToken = &tokens.nextToken();
    const String first = dayToken->toLower();
    bool isWeekday = false;
    for (int i = 0; i < 7 && !isWeekday; ++i)
        isWeekday = first == kShortWeekdays[i] || first == kLongWeekdays[i];
    // The weekday is skipped, not checked against the date.
    if (isWeekday) dayToken = &tokens.nextToken();
    const int dayOfMonth = dayToken->toInt();

    const String token = tokens.nextToken().toLower();
    int monthNumber = 0;
    for (int i = 1; i <= 12 && monthNumber == 0; ++i)
        if (token == kShortMonths[i] || token == kLongMonths[i]) monthNumber = i;
    if (monthNumber == 0)
        throw QuillonException(22, " Date::makeRFC822Format(const String& date)",
                               String("The month has not been assigned"));

    const String& yearToken = tokens.nextToken();
    int yearNumber = yearToken.toInt();
    if (yearToken.length() == 2) {
        if (yearNumber >= 50 && yearNumber <= 99)
            yearNumber += 1900;
        else if (yearNumber >= 0 && yearNumber <= 49)
            yearNumber += 2000;
    }
    const int hourNumber = tokens.nextToken().toInt();
    const int minuteNumber = tokens.nextToken().toInt();

    const String* zoneToken = &tokens.nextToken();
    int secondNumber = 0;
    if (!std::isalpha(static_cast<unsigned char>(zoneToken->getData()[0]))) {
        secondNumber = zoneToken->toInt();
        zoneToken = &tokens.nextToken();
    }
    const char sign = zoneToken->getData()[0];
    const TimeZone* zone = nullptr;
    if (sign == '+' || sign == '-') {
        int east = toIntOfPiece(*zoneToken, 1, 2) * 3600 + toIntOfPiece(*zoneToken, 3, 2) * 60;
        if (sign == '-') east = -east;
        zone = &TimeZone::getTimeZone(-east);
    } else {
        zone = &TimeZone::getTimeZone(*zoneToken);
    }
    return Date(static_cast<unsigned int>(yearNumber), monthNumber - 1, dayOfMonth, hourNumber,
                minuteNumber, secondNumber, 0, *zone);
}

const Date& Date::fromRFC822Format(const String& date) {
    *this = makeRFC822Format(date);
    return *this;
}

// ---- UTCTime ------------------------------------------------------------------------

const String Date::toUTCTime() const {
    Date utc(*this);
    utc.setTimeZone(TimeZone::UTC);
    return utc.getFormat("%y%m%d%H%M%SZ");
}

const Date Date::makeUTCTime(const String& date) {
    if (date.length() < 11)
        throw QuillonException(29, kUTCTimeLocation, String("Date string was too short"));
    const int twoDigitYear = toIntOfPiece(date, 0, 2);
    const unsigned int fullYear = static_cast<unsigned int>(twoDigitYear < 50 ? 2000 + twoDigitYear
                                                                             : 1900 + twoDigitYear);
    const int secondsEnd = skipDigits(date, 10);
    const int secondNumber = toIntOfPiece(date, 10, static_cast<unsigned int>(secondsEnd - 10));
    const TimeZone* zone = designatedZone(date, secondsEnd);
    if (zone == nullptr) throw QuillonException(29, kUTCTimeLocation, String());
    Date result(fullYear, toIntOfPiece(date, 2, 2) - 1, toIntOfPiece(date, 4, 2),
                toIntOfPiece(date, 6, 2), toIntOfPiece(date, 8, 2), secondNumber, 0, *zone);
    result.setTimeZone(TimeZone::GMT);
    return result;
}

const Date& Date::fromUTCTime(const String& date) {
    *this = makeUTCTime(date);
    return *this;
}

// ---- GeneralizedTime ----------------------------------------------------------------

const String Date::toGeneralizedTime() const {
    Date utc(*this);
    utc.setTimeZone(TimeZone::UTC);
    if (utc.milliseconds == 0) return utc.getFormat("%Y%m%d%H%M%SZ");
    String text = utc.getFormat("%Y%m%d%H%M%S");
    text += ".";
    text += utc.milliseconds;
    text += "Z";
    return text;
}

const Date Date::makeGeneralizedTime(const String& date) {
    if (date.length() < 13)
        throw QuillonException(28, kGeneralizedTimeLocation,
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
            28, kGeneralizedTimeLocation,
            String("Failed in timezone processing, didn't find \"Z\", \"+\" or \"-\" "));
    Date result(static_cast<unsigned int>(toIntOfPiece(date, 0, 4)), toIntOfPiece(date, 4, 2) - 1,
                toIntOfPiece(date, 6, 2), toIntOfPiece(date, 8, 2), toIntOfPiece(date, 10, 2),
                secondNumber, millisecondNumber, *zone);
    result.setTimeZone(TimeZone::GMT);
    return result;
}

const Date& Date::fromGeneralizedTime(const String& date) {
    *this = makeGeneralizedTime(date);
    return *this;
}

}  // namespace Korvane
