#!/usr/bin/env bash
# Records the ABI of the library as built now in abi/libkorvane.abi, the
# baseline that .ci/steps/abi.sh compares every build with. Run it on
# purpose only: after a change that breaks the ABI together with a new major
# version (and so a new SONAME), or to take compatible additions into the
# baseline at a release. Commit the file it writes.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/abi/abi-common.sh
mkdir -p "$(dirname "$baseline")"
abidw --headers-dir "$headers" --drop-private-types --no-show-locs --no-corpus-path \
      --no-comp-dir-path --out-file "$baseline" "$library"
echo "ABI baseline of $(basename "$library") written to $baseline"
