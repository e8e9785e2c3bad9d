// UCS-2 <-> UTF-8 conversion behind UTF8String.
//
// Only the Basic Multilingual Plane is handled: sequences of one to three
// bytes, 16-bit units. Surrogate units are encoded one by one (pairs are not
// combined), and the decoder accepts the three-byte forms of surrogates.
// The functions live here rather than in the class so that white-box tests
// can reach them.
#pragma once

#include "korvane/SmartPointer.h"

namespace Korvane {
namespace internal {

// The UTF-8 form of the zero-terminated units of `text`, zero-terminated.
// A null `text` gives a null result.
SmartPointer<unsigned char> encodeUcs2AsUtf8(const unsigned short* text);

// The units of the UTF-8 bytes of `text` (read up to the first zero byte),
// zero-terminated. The result is null for a null `text` and for invalid
// input: a continuation byte 80..BF or a byte F0..FF as lead, a sequence cut
// short by the end of the text, a byte after the lead outside 80..BF, and an
// overlong form (below 0x80 in two bytes, below 0x800 in three).
SmartPointer<unsigned short> decodeUtf8AsUcs2(const unsigned char* text);

}  // namespace internal
}  // namespace Korvane
