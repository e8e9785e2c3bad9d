#include "korvane/Mutex.h"

#include "runtime/CriticalSection.h"

namespace Korvane {

class Mutex::Lock : public internal::CriticalSection {};

Mutex::Mutex() : section(new Lock) {}

// A platform lock cannot be duplicated soundly (its owner and count belong to
// the original), so a copy starts with a fresh lock of its own.
Mutex::Mutex(const Mutex& other) : Synchronizable(other), section(new Lock) {}

// Keeping the target's lock is the only choice that leaves a thread holding
// it able to release what it took.
Mutex& Mutex::operator=(const Mutex&) { return *this; }

Mutex::~Mutex() { delete section; }

void Mutex::lock(bool) { section->enter(); }

void Mutex::unlock() { section->leave(); }

void Mutex::lock() { lock(false); }

bool Mutex::try_lock() { return section->tryEnter(); }

}  // namespace Korvane
