#include "runtime/CriticalSection.h"

#include <windows.h>

#include <new>

namespace Korvane {
namespace internal {

namespace {

static_assert(sizeof(CRITICAL_SECTION) <= CriticalSection::nativeSize &&
                  alignof(CRITICAL_SECTION) <= alignof(std::max_align_t),
              "the critical section must fit the lock storage");

CRITICAL_SECTION* sectionIn(unsigned char* storage) {
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

}  // namespace

// A Windows critical section is re-entrant by nature; its initialisation
// cannot fail since Windows Vista.
CriticalSection::CriticalSection() noexcept {
    InitializeCriticalSection(new (native) CRITICAL_SECTION);
}

CriticalSection::~CriticalSection() { DeleteCriticalSection(sectionIn(native)); }

void CriticalSection::nativeEnter() noexcept { EnterCriticalSection(sectionIn(native)); }

bool CriticalSection::nativeTryEnter() noexcept { return TryEnterCriticalSection(sectionIn(native)) != 0; }

void CriticalSection::nativeLeave() noexcept { LeaveCriticalSection(sectionIn(native)); }

}  // namespace internal
}  // namespace Korvane
