/// ReferenceCounter: the shared count of the holders of one array buffer.
///
/// The count changes only through atomic increments and decrements, so holders
/// on different threads may take and drop their shares safely. Reaching zero
/// does nothing by itself: releasing what the count guards is the holder's job.
/// @class Korvane::ReferenceCounter
/// @headerfile ReferenceCounter.h "korvane/ReferenceCounter.h"
/// @ingroup storage
#pragma once

#include <atomic>

#include "korvane/Export.h"

namespace Korvane {

class BufferMemory;
template <class T>
class SmartPointer;

class KORVANE_API ReferenceCounter {
    // The holders count inline: a call into the library per copy and release
    // of a buffer would cost more than the count itself. A counter that
    // shares its buffer's allocation starts at 1 (see BufferMemory).
    template <class T>
    friend class SmartPointer;
    friend class BufferMemory;

public:
    /// A fresh counter holds 0.
    ReferenceCounter();
    ///@{
    /// Copies start from the other counter's current count.
    ReferenceCounter(const ReferenceCounter& other);
    ReferenceCounter& operator=(const ReferenceCounter& other);
    ///@}
    virtual ~ReferenceCounter();

    /// Atomically adds 1 and returns the new count.
    int incReference();
    /// Atomically subtracts 1 and returns the new count.
    int decReference();
    /// The current count, read without synchronisation with other holders.
    int getReferenceCount();

private:
    std::atomic<int> count;
};

}  // namespace Korvane
