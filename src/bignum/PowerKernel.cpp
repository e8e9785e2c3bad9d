#include "bignum/PowerKernel.h"

#include "bignum/Radix52Montgomery.h"

namespace Korvane {
namespace internal {

namespace {
// Constant-initialised to the word form, so a power taken before the
// dynamic initialisers of this file have run is still correct.
PowerKernel active = PowerKernel::Words;

[[maybe_unused]] const bool kernelChosenAtLoad = selectPowerKernel(PowerKernel::Radix52);
}  // namespace

bool powerKernelAvailable(PowerKernel kernel) {
    return kernel != PowerKernel::Radix52 || Radix52Montgomery::processorSupported();
}

PowerKernel activePowerKernel() { return active; }

bool selectPowerKernel(PowerKernel kernel) {
    if (!powerKernelAvailable(kernel)) return false;
    active = kernel;
    return true;
}

}  // namespace internal
}  // namespace Korvane
