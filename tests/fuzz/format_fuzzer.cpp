// Date::getFormat against strftime (and printf for the library's own forms),
// for dates built from arbitrary (normalised) fields in any predefined zone.
//
// Input: zone byte, year (4 bytes), month, day, hour, minute, second and
// millisecond (4 bytes each, signed), then the pattern.
#include <time.h>

#include <cstdio>

#include "FuzzSupport.h"
#include "korvane/Date.h"
#include "korvane/TimeZone.h"

using namespace Korvane;

namespace {

// The 32 predefined zones, picked by index.
const TimeZone* const kZones[] = {
    &TimeZone::MIT, &TimeZone::HST, &TimeZone::AST, &TimeZone::PST, &TimeZone::PNT, &TimeZone::MST, &TimeZone::CST,
    &TimeZone::EST, &TimeZone::IET, &TimeZone::PRT, &TimeZone::CNT, &TimeZone::AGT, &TimeZone::BET, &TimeZone::CAT,
    &TimeZone::GMT, &TimeZone::ECT, &TimeZone::EET, &TimeZone::ART, &TimeZone::EAT, &TimeZone::MET, &TimeZone::NET,
    &TimeZone::PLT, &TimeZone::IST, &TimeZone::BST, &TimeZone::VST, &TimeZone::CTT, &TimeZone::JST, &TimeZone::ACT,
    &TimeZone::AET, &TimeZone::SST, &TimeZone::NST, &TimeZone::UTC};

std::string printf1(const char* format, int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The expected text: strftime for the directives it shares, the library's
// own week numbers and dd/mm/yy forms, the zone's names.
std::string model(const Date& d, const std::string& pattern) {
    // The Gregorian calendar repeats every 400 years, so any year's weekdays
    // are those of its counterpart in 2000..2399.
    const unsigned int year = d.getYear(), yy = year % 100;
    tm t{};
    t.tm_year = static_cast<int>(2000 + year % 400) - 1900;
    t.tm_mon = static_cast<int>(d.getMonth());
    t.tm_mday = static_cast<int>(d.getDay());
    t.tm_hour = static_cast<int>(d.getHour());
    t.tm_min = static_cast<int>(d.getMinute());
    t.tm_sec = static_cast<int>(d.getSeconds());
    timegm(&t);  // the weekday and the day of the year
    const int yday = t.tm_yday + 1, dow = t.tm_wday;
    const bool dst = d.inDaylightSavingTime();
    const std::string date = printf1("%2.2d/", t.tm_mday) + printf1("%2.2d/", t.tm_mon + 1) + printf1("%2.2d", static_cast<int>(yy));
    const std::string time = printf1("%2.2d:", t.tm_hour) + printf1("%2.2d:", t.tm_min) + printf1("%2.2d", t.tm_sec);
    std::string out;
    const std::string visible(pattern.c_str());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i] != '%') {
            out += visible[i];
            continue;
        }
        if (++i == visible.size()) break;
        const char c = visible[i];
        char buffer[64];
        if (std::string("%aAbBdHIjmMpSw").find(c) != std::string::npos) {
            const char directive[] = {'%', c, '\0'};
            out += std::string(buffer, strftime(buffer, sizeof buffer, directive, &t));
        } else if (c == 'U') out += printf1("%2.2d", (yday + 7 - dow) / 7);
        else if (c == 'W') out += printf1("%2.2d", (yday + ((8 - dow) % 7)) / 7);
        else if (c == 'y') out += printf1("%2.2d", static_cast<int>(yy));
        else if (c == 'Y') out += printf1("%.4d", static_cast<int>(year));
        else if (c == 'c') out += date + " " + time;
        else if (c == 'x') out += date;
        else if (c == 'X') out += time;
        else if (c == 'Z') out += d.getTimeZone().toString(dst).getData();
        else if (c == 'z') out += d.getTimeZone().to3CharString(dst).getData();
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
