// The library's millisecond clock: a monotonic count from an arbitrary fixed
// point (system start), truncated to 32 bits, so it wraps after about 49.7
// days and never goes backwards otherwise. Differences of two readings taken
// as unsigned 32-bit values stay right across a wrap.
#pragma once

namespace Korvane {
namespace internal {

unsigned int monotonicMillis();

}  // namespace internal
}  // namespace Korvane
