// The order in which the library builds its class constants when it is
// loaded (and, reversed, destroys them when it is unloaded):
//
//   BigNumber::Zero, BoolArray::emptyArray, ByteArray::emptyArray, the
//   Diagnostics statics, the LogFile statics (each with its mutex),
//   String::emptyString, then the 32 TimeZone constants MIT ... UTC.
//
// Each class defines its constants in its own source and marks them with its
// step of this one table. The toolchain builds the marked objects of the
// whole library in ascending step order, before any unmarked static object
// of the library and before any code of the program that loads it; objects
// of one step are built in the order of their definitions (the zones share a
// step and one source file). A class added to the library takes a step at its
// place in this list.
//
// These constants are the library's whole load-time work. Nothing else runs
// when it is loaded or unloaded: there is no entry function, since this
// platform sends a library no per-thread attach and detach notifications
// that would need switching off, and the library starts no thread or timer.
#pragma once

namespace Korvane {
namespace internal {

enum LoadStep : int {
    LoadBigNumberZero = 1001,
    LoadBoolArrayEmpty,
    LoadByteArrayEmpty,
    LoadDiagnosticsStatics,
    LoadLogFileStatics,
    LoadStringEmpty,
    LoadTimeZones,
};

}  // namespace internal
}  // namespace Korvane

// Marks the definition of a static object as built at `step` of the load
// order. (A Windows build maps this to an ordered init_seg section per step.)
#if defined(__GNUC__) || defined(__clang__)
#define KORVANE_LOAD_STEP(step) __attribute__((init_priority(::Korvane::internal::step)))
#else
#error "the load order needs init_priority or an equivalent on this compiler"
#endif
