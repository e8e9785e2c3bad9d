#include "korvane/ReferenceCounter.h"

namespace Korvane {

ReferenceCounter::ReferenceCounter() : count(0) {}

ReferenceCounter::ReferenceCounter(const ReferenceCounter& other)
    : count(other.count.load()) {}

ReferenceCounter& ReferenceCounter::operator=(const ReferenceCounter& other) {
    count.store(other.count.load());
    return *this;
}

ReferenceCounter::~ReferenceCounter() = default;

int ReferenceCounter::incReference() { return count.fetch_add(1) + 1; }

int ReferenceCounter::decReference() { return count.fetch_sub(1) - 1; }

int ReferenceCounter::getReferenceCount() { return count.load(std::memory_order_relaxed); }

}  // namespace Korvane
