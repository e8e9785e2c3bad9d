// Date::getFormat against a model that renders every directive with printf
// conversions and computes the weekday and the day of the year on its own,
// for dates built from arbitrary (normalised) fields in any predefined zone.
//
// Input: zone byte, year (4 bytes), month, day, hour, minute, second and
// millisecond (4 bytes each, signed), then the pattern.
#include <cstdio>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/TimeZone.h"
#include "ZoneList.h"

using namespace Korvane;

namespace {

using korvane_fuzz::kZones;

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};


// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
long long daysFromCivil(long long y, long long m, long long d) {  // m 1..12
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string printf1(const char* format, int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string model(const Date& d, const std::string& pattern) {
    const long long year = d.getYear();
    const int month = static_cast<int>(d.getMonth()), day = static_cast<int>(d.getDay());
    const int hour = static_cast<int>(d.getHour()), minute = static_cast<int>(d.getMinute());
    const int seconds = static_cast<int>(d.getSeconds());
    long long dow = (daysFromCivil(year, month + 1, day) + 4) % 7;
    if (dow < 0) dow += 7;
    const int yday = static_cast<int>(daysFromCivil(year, month + 1, day) - daysFromCivil(year, 1, 1) + 1);
    const int yy = static_cast<int>(year % 100);
    const bool dst = d.inDaylightSavingTime();

    std::string out;
    const std::string visible(pattern.c_str());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i] != '%') {
            out += visible[i];
            continue;
        }
        if (++i == visible.size()) break;
        switch (visible[i]) {
            case '%': out += "%"; break;
            case 'a': out += std::string(kWeekdays[dow]).substr(0, 3); break;
            case 'A': out += kWeekdays[dow]; break;
            case 'b': out += std::string(kMonths[month]).substr(0, 3); break;
            case 'B': out += kMonths[month]; break;
            case 'c':
                out += printf1("%2.2d/", day) + printf1("%2.2d/", month + 1) + printf1("%2.2d ", yy) +
                       printf1("%2.2d:", hour) + printf1("%2.2d:", minute) + printf1("%2.2d", seconds);
                break;
            case 'd': out += printf1("%.2d", day); break;
            case 'H': out += printf1("%2.2d", hour); break;
            case 'I': out += printf1("%.2d", hour == 0 || hour == 12 ? 12 : hour % 12); break;
            case 'j': out += printf1("%.3d", yday); break;
            case 'm': out += printf1("%.2d", month + 1); break;
            case 'M': out += printf1("%2.2d", minute); break;
            case 'p': out += hour < 12 ? "AM" : "PM"; break;
            case 'S': out += printf1("%2.2d", seconds); break;
            case 'U': out += printf1("%2.2d", static_cast<int>((yday + 7 - dow) / 7)); break;
            case 'w': out += printf1("%1.1d", static_cast<int>(dow)); break;
            case 'W': out += printf1("%2.2d", static_cast<int>((yday + ((8 - dow) % 7)) / 7)); break;
            case 'x': out += printf1("%2.2d/", day) + printf1("%2.2d/", month + 1) + printf1("%2.2d", yy); break;
            case 'X': out += printf1("%2.2d:", hour) + printf1("%2.2d:", minute) + printf1("%2.2d", seconds); break;
            case 'y': out += printf1("%2.2d", yy); break;
            case 'Y': out += printf1("%.4d", static_cast<int>(year)); break;
            case 'Z': out += d.getTimeZone().toString(dst).getData(); break;
            case 'z': out += d.getTimeZone().to3CharString(dst).getData(); break;
            default: break;
        }
    }
    return out;
}

int readInt(const std::uint8_t* p) {
    return static_cast<int>((std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    korvane_fuzz::useMachineZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 29) return 0;
    const TimeZone& zone = *kZones[data[0] % 32];
    int fields[7];
    for (int i = 0; i < 7; ++i) fields[i] = readInt(data + 1 + 4 * i);
    // Mostly ordinary dates, sometimes raw fields for normalisation to carry.
    if (!(data[0] & 0x80)) {
        fields[0] = 1900 + static_cast<int>(static_cast<unsigned int>(fields[0]) % 300);
        for (int i = 1; i < 7; ++i) fields[i] = static_cast<int>(static_cast<unsigned int>(fields[i]) % 100);
    }
    const std::string pattern(reinterpret_cast<const char*>(data + 29), size - 29);

    const Date date(static_cast<unsigned int>(fields[0]), fields[1], fields[2], fields[3], fields[4],
                    fields[5], fields[6], zone);
    FUZZ_CHECK(date.getMonth() < 12 && date.getDay() >= 1 &&
               date.getDay() <= Date::daysInMonth(date.getMonth(), date.getYear()) &&
               date.getHour() < 24 && date.getMinute() < 60 && date.getSeconds() < 60 &&
               date.getMilliseconds() < 1000);
    const String formatted = date.getFormat(korvane_fuzz::text(pattern));
    const std::string expected = model(date, pattern);
    if (korvane_fuzz::str(formatted) != expected) {
        std::fprintf(stderr, "pattern \"%s\" gave \"%s\", expected \"%s\"\n", pattern.c_str(),
                     formatted.getData(), expected.c_str());
        FUZZ_CHECK(false);
    }
    return 0;
}
