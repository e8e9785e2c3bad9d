#include "runtime/CriticalSection.h"

#include <pthread.h>

#include <new>

namespace Korvane {
namespace internal {

namespace {

static_assert(sizeof(pthread_mutex_t) <= CriticalSection::nativeSize &&
                  alignof(pthread_mutex_t) <= alignof(std::max_align_t),
              "the POSIX mutex must fit the lock storage");

pthread_mutex_t* mutexIn(unsigned char* storage) {
    return std::launder(reinterpret_cast<pthread_mutex_t*>(storage));
}

}  // namespace

// A POSIX mutex of the recursive kind. The static initialiser cannot fail,
// unlike pthread_mutex_init with an attribute object.
CriticalSection::CriticalSection() noexcept {
    new (native) pthread_mutex_t(PTHREAD_RECURSIVE_MUTEX_INITIALIZER_NP);
}

CriticalSection::~CriticalSection() { pthread_mutex_destroy(mutexIn(native)); }

void CriticalSection::nativeEnter() noexcept { pthread_mutex_lock(mutexIn(native)); }

bool CriticalSection::nativeTryEnter() noexcept { return pthread_mutex_trylock(mutexIn(native)) == 0; }

void CriticalSection::nativeLeave() noexcept { pthread_mutex_unlock(mutexIn(native)); }

}  // namespace internal
}  // namespace Korvane
