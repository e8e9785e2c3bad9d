// The immutable part of a TimeZone: its names and its transition table.
#pragma once

#include "korvane/String.h"
#include "korvane/TimeZone.h"

namespace Korvane {
namespace internal {

struct ZoneTables {
    enum { FIRST_YEAR = 1970, LAST_YEAR = 2037, YEARS = LAST_YEAR - FIRST_YEAR + 1 };
    // Per year: the two transition instants, smaller first, in seconds from
    // 1970 of wall-clock fields read as UTC; startBeforeEnd says whether the
    // pair is (start, end) or (end, start).
    int transitions[YEARS][2] = {};
    unsigned char startBeforeEnd[YEARS] = {};
    String standardName;
    String daylightName;
};

}  // namespace internal

// TimeZone's handle on its tables.
struct TimeZone::Tables : internal::ZoneTables {};

}  // namespace Korvane
