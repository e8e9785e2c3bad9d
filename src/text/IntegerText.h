// The reading of integer text that String::toInt and IntArray share.
#pragma once

namespace Korvane {
namespace internal {

// The value of the C string `text` as String::toInt reads it: leading '0's
// skipped, the rest read by strtol in base 0 and used only when all of it
// was read (0 otherwise), saturated to the int range.
int readInteger(const char* text);

}  // namespace internal
}  // namespace Korvane
