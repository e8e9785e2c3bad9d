// The platform's millisecond tick count: a monotonic clock counted from an
// arbitrary fixed point (system start), truncated to 32 bits so that it wraps
// at 2^32 like the tick counter it stands in for.
#pragma once

namespace Korvane {
namespace internal {

unsigned int tickCountMillis();

}  // namespace internal
}  // namespace Korvane
