#include "korvane/Synchronized.h"

namespace Korvane {

Synchronized::Synchronized(Synchronizable& lockable, bool flag) : target(&lockable) {
    target->lock(flag);
}

// A destructor that throws while the stack unwinds ends the process, so a
// failing unlock is dropped here.
Synchronized::~Synchronized() {
    try {
        target->unlock();
    } catch (...) {
    }
}

}  // namespace Korvane
