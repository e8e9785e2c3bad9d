/// BufferMemory: the allocator behind every array buffer of the library.
///
/// The Array and SmartPointer templates are expanded in the caller's code,
/// so what they call to allocate, wipe and release a buffer must be exported;
/// this class is that, and nothing more. Its members are for those two
/// templates only: buffers are allocated through the global array operator
/// new (so a replacement of it sees them), and every buffer that may have
/// held data is overwritten with zeros, in a way the compiler may not drop,
/// before it is released. A counted buffer with room is wiped as far as it
/// was claimed: the room behind was never written. A buffer of up to 1 KiB
/// takes a block of the next of thirteen sizes (16, 32, 64, 96, 128, 192,
/// 256, 320, 384, 512, 640, 768 and 1024 bytes), except an exact buffer of 33
/// to 240 bytes, which takes its own size. Each thread keeps up to eight
/// released blocks of each of these sizes, wiped, for its next allocations of
/// that size; they reach the array operator delete when the thread ends.
/// On Windows no blocks are kept: every release reaches it at once.
/// @class Korvane::BufferMemory
/// @headerfile BufferMemory.h "korvane/BufferMemory.h"
/// @ingroup storage
#pragma once

#include <cstddef>

#include "korvane/Export.h"

namespace Korvane {

class ReferenceCounter;
template <class T>
class Array;
template <class T>
class SmartPointer;

class KORVANE_API BufferMemory {
    template <class T>
    friend class Array;
    template <class T>
    friend class SmartPointer;

    BufferMemory() = delete;

    /// `bytes` bytes of uninitialised memory; throws std::bad_alloc.
    static void* allocate(std::size_t bytes);
    /// Releases what allocate gave; null is ignored.
    static void release(void* buffer) noexcept;
    /// Overwrites `bytes` bytes at `data` with zeros.
    static void wipe(void* data, std::size_t bytes) noexcept;
    /// A buffer of `bytes` bytes (uninitialised) in one allocation with the
    /// counter of its holders, which `counter` receives holding 1. Deleting
    /// the counter wipes the counter and the claimed bytes of the buffer (here
    /// all `bytes`), then releases the allocation. Throws std::bad_alloc.
    static void* allocateCounted(std::size_t bytes, ReferenceCounter*& counter);
    /// allocateCounted with room: a buffer of `room` bytes (fewer, but at
    /// least `bytes`, when that much cannot be had) of which the first `bytes`
    /// are claimed. Only claimed bytes may be written.
    static void* allocateCountedWithRoom(std::size_t bytes, std::size_t room, ReferenceCounter*& counter);
    /// Claims the first `bytes` bytes of the buffer that `counter` heads for
    /// writing: true when allocateCounted or allocateCountedWithRoom made it
    /// and it has that many bytes, else false (and nothing is claimed).
    static bool claimCounted(ReferenceCounter* counter, std::size_t bytes) noexcept;
    /// What deleting the counter of an allocateCounted buffer does, without
    /// the virtual destructor: wipes the counter and the claimed bytes, and
    /// releases the allocation.
    static void releaseCounted(ReferenceCounter* counter) noexcept;
    /// The bytes of the buffer that `counter` heads when allocateCounted made
    /// it, else 0 (a counter of its own).
    static std::size_t countedBytes(const ReferenceCounter* counter) noexcept;
    /// Throws std::length_error: more elements than a 32-bit count describes.
    [[noreturn]] static void throwTooLong();
};

}  // namespace Korvane
