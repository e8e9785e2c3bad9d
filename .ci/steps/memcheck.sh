#!/usr/bin/env bash
# The test suite under Valgrind's memcheck: no leaks, no invalid accesses, no
# use of uninitialised values. Runs in the plain build of .ci/run.
#
# Left out: the install check and the tool tests (they run other programs,
# not our code under test), and the buffer-wipe tests (text and big
# numbers), which replace the global array allocator that memcheck itself
# must own.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build
options="--error-exitcode=97 --leak-check=full --errors-for-leak-kinds=definite,indirect"
options="$options --show-leak-kinds=definite,indirect --num-callers=30 --gen-suppressions=no"
cmake -S . -B "$build" -DMEMORYCHECK_COMMAND_OPTIONS="$options" >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
exclude='korvane_install_test|^tool_|korvane_buffer_wipe_test|korvane_bignum_wipe_test'
if [ -n "${KORVANE_MEMCHECK_EXCLUDE:-}" ]; then exclude="$exclude|$KORVANE_MEMCHECK_EXCLUDE"; fi
ctest --test-dir "$build" -T memcheck -j"$(nproc)" -E "$exclude" --output-on-failure
