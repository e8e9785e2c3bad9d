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

#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/Diagnostics.h"
#include "korvane/LogFile.h"
#include "korvane/Mutex.h"
#include "korvane/String.h"

namespace Korvane {

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

}  // namespace Korvane
