#include <string>

#include "korvane/Date.h"
#include "time/Calendar.h"

namespace Korvane {

namespace {

const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};

// The text printf gives for "%.<minDigits>d" (and so for "%2.2d" with
// minDigits 2): a '-' for negative values, then at least `minDigits` digits
// with leading zeros. Written by hand because getFormat runs once per
// directive and a printf call per field would dominate it.
void appendNumber(std::string& out, int value, int minDigits) {
    char digits[16];
    int count = 0;
    unsigned int magnitude =
        value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) out += '-';
    for (int i = count; i < minDigits; ++i) out += '0';
    while (count > 0) out += digits[--count];
}

void appendName(std::string& out, const char* name, bool abbreviated) {
    if (abbreviated)
        out.append(name, 3);
    else
        out += name;
}

void appendText(std::string& out, const String& text) { out.append(text.getData()); }

}  // namespace

String Date::getFormat(const String& format) const {
    const int weekday = internal::dayOfWeek(year, month, day);
    const int yday = internal::dayOfYear(year, month, day);
    const int yy = static_cast<int>(year % 100);
    std::string out;
    out.reserve(64);
    for (const char* p = format.getData(); *p != '\0'; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (*++p == '\0') break;
        switch (*p) {
        case '%': out += '%'; break;
        case 'a': appendName(out, kWeekdayNames[weekday], true); break;
        case 'A': appendName(out, kWeekdayNames[weekday], false); break;
        case 'b': appendName(out, kMonthNames[month], true); break;
        case 'B': appendName(out, kMonthNames[month], false); break;
        case 'c':
        case 'x':
            appendNumber(out, day, 2);
            out += '/';
            appendNumber(out, month + 1, 2);
            out += '/';
            appendNumber(out, yy, 2);
            if (*p == 'x') break;
            out += ' ';
            [[fallthrough]];  // %c is %x, a space and %X
        case 'X':
            appendNumber(out, hour, 2);
            out += ':';
            appendNumber(out, minute, 2);
            out += ':';
            appendNumber(out, seconds, 2);
            break;
        case 'd': appendNumber(out, day, 2); break;
        case 'H': appendNumber(out, hour, 2); break;
        case 'I': appendNumber(out, hour == 0 || hour == 12 ? 12 : hour % 12, 2); break;
        case 'j': appendNumber(out, yday, 3); break;
        case 'm': appendNumber(out, month + 1, 2); break;
        case 'M': appendNumber(out, minute, 2); break;
        case 'p': out += hour < 12 ? "AM" : "PM"; break;
        case 'S': appendNumber(out, seconds, 2); break;
        case 'U': appendNumber(out, (yday + 7 - weekday) / 7, 2); break;
        case 'w': appendNumber(out, weekday, 1); break;
        case 'W': appendNumber(out, (yday + ((8 - weekday) % 7)) / 7, 2); break;
        case 'y': appendNumber(out, yy, 2); break;
        // The year goes through "%.4d" as an int, as it always has: years
        // beyond INT_MAX print negative.
        case 'Y': appendNumber(out, static_cast<int>(year), 4); break;
        case 'Z': appendText(out, timeZone.toString(inDaylightSavingTime())); break;
        case 'z': appendText(out, timeZone.to3CharString(inDaylightSavingTime())); break;
        default: break;
        }
    }
    return String(out.c_str(), static_cast<unsigned int>(out.size()));
}

}  // namespace Korvane
