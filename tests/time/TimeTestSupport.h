// Helpers shared by the time tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "korvane/Date.h"
#include "korvane/QuillonException.h"
#include "korvane/TimeZone.h"
#include "text/TextTestSupport.h"

namespace korvane_test {

// "YYYY-MM-DD hh:mm:ss.mmm" of the fields, month printed 1-based.
inline std::string fieldsOf(const Korvane::Date& d) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", d.getYear(),
                  d.getMonth() + 1, d.getDay(), d.getHour(), d.getMinute(), d.getSeconds(),
                  d.getMilliseconds());
    return text;
}

inline std::string zoneOf(const Korvane::Date& d) {
    return str(d.getTimeZone().to3CharString(false));
}

// Checks that `action` throws QuillonException (errNo, location, extra) with one entry.
template <class Action>
void expectQuillon(Action action, int errNo, const std::string& location,
                   const std::string& extra) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected error " << errNo;
    } catch (const Korvane::QuillonException& e) {
        EXPECT_EQ(e.getErrorStackSize(), 1u);
        EXPECT_EQ(e.getLib(0), Korvane::Exception::LIB_QUILLON);
        EXPECT_EQ(e.getErrNo(0), errNo);
        EXPECT_EQ(str(e.getErrLocation(0)), location);
        EXPECT_EQ(str(e.getExtraInfo(0)), extra);
    }
}

}  // namespace korvane_test
