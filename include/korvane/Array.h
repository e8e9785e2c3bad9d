/// Array<T>: the storage under every sequence value of the library.
///
/// Invariants:
///  - `capacity` counts the element slots of the array's own buffer, the
///    terminator slot included (0 when it has none); `elementCount` counts
///    the elements in use.
///  - A null-terminated array keeps one slot more than its elements, and the
///    slot at index `elementCount` holds zero after every operation of its
///    class.
///  - The buffer is reference counted through SmartPointer. Copies of arrays
///    never share a buffer; sharing exists only for temporaries inside the
///    library, and it decides who may wipe: only a sole holder overwrites the
///    buffer with zeros, on destruction and on exact reallocation. A buffer
///    the array allocates shares one block with its counter, and the last
///    release of the block overwrites the counter and every slot the block
///    ever gave a capacity with zeros before freeing it (or keeping it for
///    the thread's next small buffer, see BufferMemory).
///  - The capacity follows the growth rule below; a grown block holds room
///    behind it, which later growth takes without moving the elements. No
///    slot at or beyond the capacity is ever written.
///  - Element access is bounds checked and throws IndexOutOfRange; writing at
///    or beyond the end through the non-const operator[] extends the array.
///  - Moving takes the buffer over without copying or wiping it. The array
///    moved from is empty; a null-terminated one then reads its terminator
///    from a shared zero slot that is never written (capacity 0, so the next
///    change gives it a buffer of its own).
/// T must be a trivially copyable element type (char, unsigned char, int...).
/// @class Korvane::Array
/// @headerfile Array.h "korvane/Array.h"
/// @ingroup storage
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "korvane/BufferMemory.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/SmartPointer.h"

namespace Korvane {

template <class T>
class Array {
    static_assert(std::is_trivially_copyable<T>::value,
                  "Array holds trivially copyable elements only");

public:
    /// The element type.
    using value_type = T;
    /// The type size() returns.
    using size_type = std::size_t;
    /// Iterator over the elements: a pointer into the buffer.
    using iterator = T*;
    /// Read-only iterator over the elements.
    using const_iterator = const T*;

    virtual ~Array() {
        wipeIfSoleHolder();
        storage.release();
    }

    // ---- Access --------------------------------------------------------
    /// Number of elements in use (the terminator slot not counted).
    unsigned int length() const { return elementCount; }

    /// The buffer; null only for a non-terminated array without storage.
    /// Writing through it is for a non-const array only.
    T* getData() { return storage.get(); }
    /// @copydoc getData()
    const T* getData() const { return storage.get(); }

    // ---- Standard container view ---------------------------------------
    /// The elements as a contiguous range, for range-for, the algorithms and
    /// std::data / std::size. data() is getData(); size() is length().
    /// empty() is true for no elements; String::isEmpty() differs: it also
    /// holds for a text starting with an embedded NUL.
    T* data() noexcept { return storage.get(); }
    /// @copydoc data()
    const T* data() const noexcept { return storage.get(); }
    /// length() as a std::size_t.
    std::size_t size() const noexcept { return elementCount; }
    /// True for no elements.
    bool empty() const noexcept { return elementCount == 0; }
    /// The first element.
    T* begin() noexcept { return storage.get(); }
    /// One past the last element.
    T* end() noexcept { return storage.get() + elementCount; }
    /// The first element, read-only.
    const T* begin() const noexcept { return storage.get(); }
    /// One past the last element, read-only.
    const T* end() const noexcept { return storage.get() + elementCount; }

    /// Writable element access. A negative index throws IndexOutOfRange
    /// "T& Array::operator[](int) - Index is negative."; an index at or past
    /// the end extends the array (slots between the old end and `i` hold zero
    /// when the buffer was just grown, otherwise what the buffer held).
    T& operator[](int i) {
        if (i < 0) throw IndexOutOfRange("T& Array::operator[](int) - Index is negative.");
        const unsigned int wanted = static_cast<unsigned int>(i) + 1;
        const bool grown = ensureCapacity(wanted);
        if (grown || elementCount < wanted) {
            elementCount = wanted;
            if (nullTerminated) getData()[wanted] = T();
        }
        return getData()[i];
    }

    /// Same as the int form: an index of 2^31 or more counts as negative.
    T& operator[](unsigned int i) { return (*this)[static_cast<int>(i)]; }

    /// Read-only access; throws IndexOutOfRange for a negative index
    /// ("T Array::operator[](int) const - Index is negative.") or one at or
    /// past the end ("T Array::operator[](int) const - Index greater than
    /// Array length.").
    T operator[](int i) const {
        if (i < 0) throw IndexOutOfRange("T Array::operator[](int) const - Index is negative.");
        if (elementCount == 0 || static_cast<unsigned int>(i) >= elementCount)
            throw IndexOutOfRange("T Array::operator[](int) const - Index greater than Array length.");
        return getData()[i];
    }

    /// Read-only access; an index at or past the end throws IndexOutOfRange
    /// "T Array::operator[](unsigned int) const - Index greater than Array length.".
    T operator[](unsigned int i) const {
        if (elementCount == 0 || i >= elementCount)
            throw IndexOutOfRange(
                "T Array::operator[](unsigned int) const - Index greater than Array length.");
        return getData()[i];
    }

protected:
    // ---- Construction (for the derived value classes) ------------------
    /// `count` elements copied from `source + offset`; a null source gives an
    /// empty array (with a one-slot zero buffer when null-terminated).
    Array(const T* source, unsigned int offset, unsigned int count, bool terminated)
        : nullTerminated(terminated) {
        if (source != nullptr) {
            T* fresh = takeFirstBuffer(count);
            elementCount = count;
            if (count != 0) std::memcpy(fresh, source + offset, count * sizeof(T));
        } else {
            takeFirstBuffer(0);
        }
    }

    /// Marks the constructor that leaves the elements unset.
    struct UnsetElements {};
    /// `count` (> 0) elements left unset, for a derived class that writes
    /// every one before anything reads them; the terminator slot is set.
    Array(unsigned int count, bool terminated, UnsetElements) : nullTerminated(terminated) {
        takeFirstBuffer(count);
        elementCount = count;
    }

    /// `count` copies of `value`; with count 0 the same as a null source.
    Array(unsigned int count, T value, bool terminated) : nullTerminated(terminated) {
        T* data = takeFirstBuffer(count);
        elementCount = count;
        for (unsigned int i = 0; i < count; ++i) data[i] = value;
    }

    /// Copies the elements into an exact-size buffer of this array's own.
    Array(const Array& other) : nullTerminated(other.nullTerminated) {
        const unsigned int count = other.elementCount;
        T* fresh = takeFirstBuffer(count);
        elementCount = count;
        if (count != 0) std::memcpy(fresh, other.getData(), count * sizeof(T));
    }

    /// Takes the buffer of `other` over; `other` is left empty (see above).
    Array(Array&& other) noexcept
        : capacity(other.capacity),
          elementCount(other.elementCount),
          storage(std::move(other.storage)),
          nullTerminated(other.nullTerminated) {
        other.becomeMovedFrom();
    }

    /// Arrays are copied through their value classes, which pick the rule.
    Array& operator=(const Array&) = delete;

    /// Wipes and releases this array's buffer (as its sole holder), then
    /// takes the buffer of `other` over; `other` is left empty.
    Array& operator=(Array&& other) noexcept {
        if (this != &other) {
            wipeIfSoleHolder();
            storage = std::move(other.storage);
            capacity = other.capacity;
            elementCount = other.elementCount;
            other.becomeMovedFrom();
        }
        return *this;
    }

    /// Move assignment for the classes whose assignment keeps a buffer that
    /// has room: when this array's own buffer can hold the elements of
    /// `other`, they are copied into it and `other` releases its buffer
    /// (wiped) and is left empty; otherwise its buffer is taken over.
    void moveAssignKeepingRoom(Array& other) noexcept {
        if (this == &other) return;
        if (capacity != 0 && capacity >= std::uint64_t(other.elementCount) + terminatorSlots()) {
            if (other.elementCount != 0)
                std::memcpy(getData(), other.getData(), other.elementCount * sizeof(T));
            elementCount = other.elementCount;
            terminate();
            other.wipeIfSoleHolder();
            other.becomeMovedFrom();
        } else {
            *this = std::move(other);
        }
    }

    // ---- Storage management --------------------------------------------
    /// Makes room for `n` elements (plus the terminator slot), keeping the
    /// contents. Grows to the larger of 1.5 times the capacity and `n`; the
    /// slots behind the kept elements read zero. Returns whether it grew.
    bool ensureCapacity(unsigned int n) {
        if (capacity >= std::uint64_t(n) + terminatorSlots()) return false;
        grow(n, elementCount);
        return true;
    }

    /// ensureCapacity for a caller that writes the slots from the element
    /// count up to `n` right away: only the slots from `n` on are cleared.
    void ensureCapacityToFill(unsigned int n) {
        if (capacity >= std::uint64_t(n) + terminatorSlots()) return;
        grow(n, n);
    }

    /// Replaces the buffer with one of exactly `n` elements (plus the
    /// terminator slot), discarding the contents; `size` is left to the
    /// caller. The old buffer is wiped when this array is its sole holder.
    void reallocate(unsigned int n) {
        if (n > 0) {
            const std::uint64_t slots = std::uint64_t(n) + terminatorSlots();
            if (slots > UINT32_MAX) BufferMemory::throwTooLong();
            ReferenceCounter* counter = nullptr;
            T* fresh = allocateCounted(std::size_t(slots), counter);
            wipeIfSoleHolder();
            storage.adoptCounted(fresh, counter);
            capacity = static_cast<unsigned int>(slots);
            if (nullTerminated) fresh[n] = T();
        } else if (nullTerminated) {
            ReferenceCounter* counter = nullptr;
            T* fresh = allocateCounted(1, counter);
            fresh[0] = T();
            wipeIfSoleHolder();
            storage.adoptCounted(fresh, counter);
            capacity = 1;
        } else {
            wipeIfSoleHolder();
            storage.release();
            capacity = 0;
        }
    }

    /// reallocate(n) for a constructor, whose array has no buffer yet to wipe
    /// or release: a buffer of exactly `n` elements plus the terminator slot
    /// (none when that is no slot at all). Returns it.
    T* takeFirstBuffer(unsigned int n) {
        const std::uint64_t slots = std::uint64_t(n) + terminatorSlots();
        if (slots == 0) return nullptr;
        if (slots > UINT32_MAX) BufferMemory::throwTooLong();
        ReferenceCounter* counter = nullptr;
        T* fresh = allocateCounted(std::size_t(slots), counter);
        storage.adoptCounted(fresh, counter);
        capacity = static_cast<unsigned int>(slots);
        if (nullTerminated) fresh[n] = T();
        return fresh;
    }

    /// The growing half of ensureCapacity, kept out of the callers' fast path;
    /// the slots from `filled` on read zero afterwards. A sole holder of a
    /// counted block with room behind its capacity grows in place, claiming
    /// the slots it takes; otherwise the new block leaves room for as much
    /// again, so that the next growth of a text being built needs no copy.
    void grow(unsigned int n, unsigned int filled) {
        const std::uint64_t needed = std::uint64_t(n) + terminatorSlots();
        std::uint64_t grown = static_cast<std::uint64_t>(static_cast<double>(capacity) * 1.5);
        if (grown < n) grown = n;
        grown += terminatorSlots();
        if (grown > UINT32_MAX) {
            if (needed > UINT32_MAX) BufferMemory::throwTooLong();
            grown = UINT32_MAX;
        }
        // The kept elements stay; the slots behind them read zero, as in a
        // fresh buffer.
        const std::size_t kept = getData() != nullptr ? elementCount : 0;
        const std::size_t cleared = filled > kept ? filled : kept;
        if (capacity != 0 && storage.getReferenceCount() == 1 &&
            BufferMemory::claimCounted(storage.getCounter(), std::size_t(grown) * sizeof(T))) {
            std::memset(static_cast<void*>(getData() + cleared), 0, (std::size_t(grown) - cleared) * sizeof(T));
            capacity = static_cast<unsigned int>(grown);
            return;
        }
        // Only the slots up to the capacity are claimed, and wiped at the
        // release: the room behind costs no page until growth takes it.
        std::size_t room = std::size_t(grown) <= UINT32_MAX / 2 ? std::size_t(grown) * 2 : UINT32_MAX;
        if (room < kMinimumBlockBytes / sizeof(T)) room = kMinimumBlockBytes / sizeof(T);
        if (room > SIZE_MAX / sizeof(T)) room = std::size_t(grown);
        ReferenceCounter* counter = nullptr;
        T* fresh = allocateCounted(std::size_t(grown), counter, room);
        if (kept != 0) std::memcpy(fresh, getData(), kept * sizeof(T));
        // Until the caller fills them, the slots between hold what the
        // allocator gave: the caller writes them before anything can read them.
        std::memset(static_cast<void*>(fresh + cleared), 0, (std::size_t(grown) - cleared) * sizeof(T));
        wipeIfSoleHolder();
        storage.adoptCounted(fresh, counter);
        capacity = static_cast<unsigned int>(grown);
    }

    /// The smallest block a growing array takes.
    static constexpr std::size_t kMinimumBlockBytes = 32;

    /// Writes the terminator behind the last element of a null-terminated
    /// array. An array without a buffer of its own already reads zero there.
    void terminate() {
        if (nullTerminated && capacity != 0) getData()[elementCount] = T();
    }

    /// The state an array is left in when its buffer is moved away: no
    /// elements and no buffer of its own; a null-terminated array reads its
    /// terminator from the shared zero slots.
    void becomeMovedFrom() noexcept {
        capacity = 0;
        elementCount = 0;
        storage = nullTerminated ? SmartPointer<T>::unowned(sharedZeros()) : SmartPointer<T>();
    }

    /// Two zero elements that no array owns or writes: the terminator of an
    /// empty array moved from, or the single zero digit and terminator of a
    /// moved-from number. Every write first gives the array its own buffer
    /// (its capacity is 0), so the slots stay zero and are only ever read.
    static T* sharedZeros() noexcept {
        static T zeros[2] = {};
        return zeros;
    }

    /// 1 for a null-terminated array, else 0: the slots kept beyond the
    /// elements.
    unsigned int terminatorSlots() const { return nullTerminated ? 1u : 0u; }

    /// Overwrites the element slots with zeros when no other holder shares
    /// them. A counted buffer of this module needs no wipe here: its last
    /// release wipes it.
    void wipeIfSoleHolder() {
        if (storage.holdsCountedBuffer()) return;
        if (storage.getReferenceCount() < 2 && capacity != 0 && getData() != nullptr)
            BufferMemory::wipe(getData(), std::size_t(capacity) * sizeof(T));
    }

    /// `slots` uninitialised element slots in a counted block, claimed, with
    /// room for `room` slots when given; `counter` receives its counter (see
    /// SmartPointer::adoptCounted).
    static T* allocateCounted(std::size_t slots, ReferenceCounter*& counter, std::size_t room = 0) {
        // A 32-bit size_t cannot count the bytes of every 32-bit slot count.
        if (slots > SIZE_MAX / sizeof(T)) BufferMemory::throwTooLong();
        if (room > slots)
            return static_cast<T*>(BufferMemory::allocateCountedWithRoom(slots * sizeof(T), room * sizeof(T), counter));
        return static_cast<T*>(BufferMemory::allocateCounted(slots * sizeof(T), counter));
    }

    /// Element slots of the own buffer, the terminator slot included; 0 without
    /// one.
    unsigned int capacity = 0;
    /// Elements in use.
    unsigned int elementCount = 0;
    /// The reference-counted buffer.
    SmartPointer<T> storage;
    /// Whether the slot at index elementCount is kept zero.
    bool nullTerminated = false;
};

}  // namespace Korvane
