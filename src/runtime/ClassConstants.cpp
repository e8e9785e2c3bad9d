// The class constants of the library, built at load in one translation unit
// so that their order is fixed: C++ constructs the objects of one unit in the
// order of their definitions and destroys them in reverse.
//
// Order: BigNumber::Zero, BoolArray::emptyArray, ByteArray::emptyArray, the
// Diagnostics statics, the LogFile statics, String::emptyString, then the 32
// TimeZone constants (MIT ... UTC). A class added to the library puts its
// constants at its place in this list.
//
// This unit is the library's whole load-time entry. Nothing else runs when
// the library is loaded or unloaded: there is no entry function, since this
// platform sends a library no per-thread attach and detach notifications that
// would need switching off, and the library starts no thread or timer.
#include <fstream>
#include <ostream>
#include <set>

#include "korvane/BigNumber.h"
#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/Diagnostics.h"
#include "korvane/LogFile.h"
#include "korvane/Mutex.h"
#include "korvane/String.h"
#include "korvane/TimeZone.h"

namespace Korvane {

const BigNumber BigNumber::Zero;

const BoolArray BoolArray::emptyArray;

const ByteArray ByteArray::emptyArray;

// Trace timing: no trace file named yet (the first object picks the default),
// level 0, its own lock.
ByteArray Diagnostics::m_filename;
int Diagnostics::nests = 0;
Mutex Diagnostics::mutex;

// The log: inactive, no types enabled, its own lock.
std::ostream* LogFile::ostr = nullptr;
std::filebuf LogFile::fbuf;
bool LogFile::instance = false;
std::set<LogFile::LOG_TYPE> LogFile::types;
Mutex LogFile::mutex;

const String String::emptyString;

// The predefined zones; definitions use offsets EAST of UTC.
const TimeZone TimeZone::MIT(String("MIT-11"));
const TimeZone TimeZone::HST(String("HST-10"));
const TimeZone TimeZone::AST(String("AST-9"));
const TimeZone TimeZone::PST(String("PST-8"));
const TimeZone TimeZone::PNT(String("PNT-7"));
const TimeZone TimeZone::MST(String("MST-7"));
const TimeZone TimeZone::CST(String("CST-6"));
const TimeZone TimeZone::EST(String("EST-5"));
const TimeZone TimeZone::IET(String("IET-5"));
const TimeZone TimeZone::PRT(String("PRT-4"));
const TimeZone TimeZone::CNT(String("CNT-3:30"));
const TimeZone TimeZone::AGT(String("AGT-3"));
const TimeZone TimeZone::BET(String("BET-3"));
const TimeZone TimeZone::CAT(String("CAT-1"));
const TimeZone TimeZone::GMT(String("GMT+0BST,M3.5.0,M10.5.0"));
const TimeZone TimeZone::ECT(String("ECT+1"));
const TimeZone TimeZone::EET(String("EET+1"));
const TimeZone TimeZone::ART(String("ART+2"));
const TimeZone TimeZone::EAT(String("EAT+3"));
const TimeZone TimeZone::MET(String("MET+3:30"));
const TimeZone TimeZone::NET(String("NET+4"));
const TimeZone TimeZone::PLT(String("PLT+5"));
const TimeZone TimeZone::IST(String("IST+5:30"));
const TimeZone TimeZone::BST(String("BST+6"));
const TimeZone TimeZone::VST(String("VST+7"));
const TimeZone TimeZone::CTT(String("CTT+8"));
const TimeZone TimeZone::JST(String("JST+9"));
const TimeZone TimeZone::ACT(String("ACT+9:30"));
const TimeZone TimeZone::AET(String("AET+10AET,M10.5.0,M3.5.0"));
const TimeZone TimeZone::SST(String("SST+11"));
const TimeZone TimeZone::NST(String("NST+12"));
const TimeZone TimeZone::UTC(String("UTC+0"));

}  // namespace Korvane
