// Helpers shared by the time tests.
#pragma once

#include "TestSupport.h"
#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"

namespace korvane_test {

// "YYYY-MM-DD hh:mm:ss.mmm" of the fields, month printed 1-based.
inline std::string fieldsOf(const Korvane::Date& d) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", d.getYear(), d.getMonth() + 1, d.getDay(),
                  d.getHour(), d.getMinute(), d.getSeconds(), d.getMilliseconds());
    return text;
}

inline std::string zoneOf(const Korvane::Date& d) { return str(d.getTimeZone().to3CharString(false)); }

}  // namespace korvane_test
