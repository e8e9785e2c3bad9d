// quietly(work): runs `work` and drops the library's exceptions and the
// standard ones it throws.
//
// For the shared services (the log, trace timing) that promise never to
// disturb their callers: a caller's stream with exceptions switched on, or
// memory running out while a line is put together, costs the service that
// one write and nothing else.
#pragma once

#include <exception>

#include "korvane/Exception.h"

namespace Korvane {
namespace internal {

template <class Work>
void quietly(Work work) {
    try {
        work();
    } catch (const Exception&) {
    } catch (const std::exception&) {
    }
}

}  // namespace internal
}  // namespace Korvane
