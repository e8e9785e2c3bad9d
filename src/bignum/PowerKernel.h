// The Montgomery arithmetic under the odd-modulus power of ModularPower.cpp:
// 64-bit words with the multiply loops of MultiplyKernel.h, or, on x86-64
// processors with AVX-512 IFMA, 52-bit limbs in vector registers
// (Radix52Montgomery.h). The choice is made once when the library is
// loaded; builds with KORVANE_PORTABLE_WORDS, and other targets, have the
// word form alone. The radix-52 products also exist on plain words, never
// chosen at load: they run the same steps where the vector form cannot be
// run, as under Valgrind's constant-time check.
#pragma once

namespace Korvane {
namespace internal {

enum class PowerKernel { Words, Radix52, Radix52OnWords };

// Whether `kernel` can run on this processor.
bool powerKernelAvailable(PowerKernel kernel);
// The kernel in use now.
PowerKernel activePowerKernel();
// Switches the power to `kernel` (tests compare the forms); returns false,
// changing nothing, when the processor cannot run it.
bool selectPowerKernel(PowerKernel kernel);

}  // namespace internal
}  // namespace Korvane
