#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."
source .ci/sanitizer-build.sh
# The asan test preset sets the sanitizer options and leaves out the install
# check, which builds unsanitized consumers and runs in the plain build.
ctest --preset asan -j"$(nproc)"
