// The multiply-accumulate loops under every product and every long division
// of the big-number code (addMultiplyWord, subtractMultiplyWord), in a
// portable form and, on x86-64 processors with the BMI2 and ADX
// extensions, a form that keeps two carry chains in flight (mulx with adcx
// and adox). The choice is made once when the library is loaded. A build
// with KORVANE_PORTABLE_WORDS has the portable form alone.
#pragma once

namespace Korvane {
namespace internal {

enum class MultiplyKernel { Portable, CarryChains };

// Whether `kernel` can run on this processor.
bool multiplyKernelAvailable(MultiplyKernel kernel);
// The kernel in use now.
MultiplyKernel activeMultiplyKernel();
// Switches the loops to `kernel` (tests compare the two forms); returns
// false, changing nothing, when the processor cannot run it.
bool selectMultiplyKernel(MultiplyKernel kernel);
// Switches to `kernel` without asking the processor: for a test that runs
// under an emulator hiding features the real processor has, which the
// caller has checked by other means.
void overrideMultiplyKernel(MultiplyKernel kernel);

}  // namespace internal
}  // namespace Korvane
