// The 32 predefined zones, for the fuzz targets that pick one by index.
#pragma once

#include "korvane/TimeZone.h"

namespace korvane_fuzz {

inline const Korvane::TimeZone* const kZones[] = {
    &Korvane::TimeZone::MIT, &Korvane::TimeZone::HST, &Korvane::TimeZone::AST, &Korvane::TimeZone::PST,
    &Korvane::TimeZone::PNT, &Korvane::TimeZone::MST, &Korvane::TimeZone::CST, &Korvane::TimeZone::EST,
    &Korvane::TimeZone::IET, &Korvane::TimeZone::PRT, &Korvane::TimeZone::CNT, &Korvane::TimeZone::AGT,
    &Korvane::TimeZone::BET, &Korvane::TimeZone::CAT, &Korvane::TimeZone::GMT, &Korvane::TimeZone::ECT,
    &Korvane::TimeZone::EET, &Korvane::TimeZone::ART, &Korvane::TimeZone::EAT, &Korvane::TimeZone::MET,
    &Korvane::TimeZone::NET, &Korvane::TimeZone::PLT, &Korvane::TimeZone::IST, &Korvane::TimeZone::BST,
    &Korvane::TimeZone::VST, &Korvane::TimeZone::CTT, &Korvane::TimeZone::JST, &Korvane::TimeZone::ACT,
    &Korvane::TimeZone::AET, &Korvane::TimeZone::SST, &Korvane::TimeZone::NST, &Korvane::TimeZone::UTC};

}  // namespace korvane_fuzz
