#!/usr/bin/env bash
# The test suite under Valgrind's memcheck: no leaks, no invalid accesses, no
# use of uninitialised values. Runs in the plain build of .ci/run.
#
# Left out by label: `install` and `tool` tests (they run other programs,
# not our code under test), `own-allocator` executables, which replace the
# global array allocator that memcheck itself must own, and the `slow` cases
# (memcheck runs code some thirty times slower; they run in the plain and the
# ASan/UBSan builds). KORVANE_MEMCHECK_FULL=1 runs the slow cases as well;
# KORVANE_MEMCHECK_EXCLUDE leaves out more tests by name.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The memcheck preset is the default build with memcheck's options.
cmake --preset memcheck >/dev/null
cmake --build --preset memcheck -j"$(nproc)" >/dev/null
skip='install|tool|own-allocator'
if [ "${KORVANE_MEMCHECK_FULL:-0}" != 1 ]; then skip="$skip|slow"; fi
# Dashboard mode (-T) looks for its configuration in the test directory, which
# the preset alone does not set.
ctest --preset memcheck --test-dir build -T memcheck -j"$(nproc)" -LE "^($skip)\$" \
  ${KORVANE_MEMCHECK_EXCLUDE:+-E "$KORVANE_MEMCHECK_EXCLUDE"}
