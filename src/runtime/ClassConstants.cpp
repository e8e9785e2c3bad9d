// The class constants of the library, built at load in one translation unit
// so that their order is fixed: C++ constructs the objects of one unit in the
// order of their definitions and destroys them in reverse.
//
// Order: BigNumber::Zero, BoolArray::emptyArray, ByteArray::emptyArray, the
// Diagnostics statics, the LogFile statics, String::emptyString, then the 32
// TimeZone constants (MIT ... UTC). A class added to the library puts its
// constants at its place in this list.
#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/String.h"

namespace Korvane {

const BoolArray BoolArray::emptyArray;

const ByteArray ByteArray::emptyArray;

const String String::emptyString;

}  // namespace Korvane
