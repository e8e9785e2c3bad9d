#!/usr/bin/env bash
# The ABI check: abidiff compares the library as built with the baseline in
# abi/libkorvane.abi. Additions pass; an incompatible change (a removed or
# changed symbol, a changed type layout) fails unless the major version, and
# with it the SONAME, changed in the same commit. tools/abi/update-baseline.sh
# records a new baseline.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/abi/abi-common.sh

report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
abidiff --headers-dir1 "$headers" --headers-dir2 "$headers" \
        "$baseline" "$library" >"$report" 2>&1 || status=$?
# abidiff's status is a bit set: 1 error, 2 usage error, 4 ABI change, 8 incompatible change.
if (( status & 3 )); then
  echo "abidiff failed (status $status):"; cat "$report"; exit 1
fi
old_soname=$(grep -o "soname='[^']*'" "$baseline" | head -n 1 | cut -d"'" -f2)
new_soname=$(objdump -p "$library" | awk '/SONAME/ {print $2}')
if (( status & 8 )); then
  cat "$report"
  if [ "$old_soname" != "$new_soname" ]; then
    echo "ABI break with a new SONAME ($old_soname -> $new_soname): allowed."
    echo "Record the new ABI with tools/abi/update-baseline.sh and commit abi/libkorvane.abi."
    exit 0
  fi
  echo "The ABI of $new_soname changed incompatibly (see above). Either keep it compatible, or"
  echo "raise the major version in CMakeLists.txt (which changes the SONAME), say so in"
  echo "CHANGELOG.md and run tools/abi/update-baseline.sh, all in the same commit."
  exit 1
fi
if (( status & 4 )); then
  cat "$report"
  echo "Compatible ABI additions to $new_soname (see above)."
else
  echo "ABI of $new_soname unchanged against $baseline."
fi
