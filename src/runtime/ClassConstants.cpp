// The class constants of the library, built at load in one translation unit
// so that their order is fixed: C++ constructs the objects of one unit in the
// order of their definitions and destroys them in reverse.
//
// Order: BigNumber::Zero, BoolArray::emptyArray, ByteArray::emptyArray, the
// Diagnostics statics, the LogFile statics, String::emptyString, then the 32
// TimeZone constants (MIT ... UTC). A class added to the library puts its
// constants at its place in this list.
#include <fstream>
#include <ostream>
#include <set>

#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/LogFile.h"
#include "korvane/Mutex.h"
#include "korvane/String.h"

namespace Korvane {

const BoolArray BoolArray::emptyArray;

const ByteArray ByteArray::emptyArray;

// The log: inactive, no types enabled, its own lock.
std::ostream* LogFile::ostr = nullptr;
std::filebuf LogFile::fbuf;
bool LogFile::instance = false;
std::set<LogFile::LOG_TYPE> LogFile::types;
Mutex LogFile::mutex;

const String String::emptyString;

}  // namespace Korvane
