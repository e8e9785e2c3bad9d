#!/usr/bin/env bash
# The test suite under Valgrind's memcheck: no leaks, no invalid accesses, no
# use of uninitialised values. Runs in the plain build of .ci/run.
#
# Left out: the install check and the tool tests (they run other programs,
# not our code under test), and the two wipe tests, which replace the global
# array allocator that memcheck itself must own.
#
# Memcheck runs code some thirty times slower, so the slowest randomized and
# large-input test cases are left out here (GTEST_FILTER below); they run in
# the plain and the ASan/UBSan builds, and the fuzz targets cover the same
# parsers. Without them the step takes about two minutes on two cores
# instead of eight: the glibc differential walks of the regular expressions,
# the GMP comparison of modular powers (bignum-ct.sh runs expMod under
# memcheck on its own), the random-byte pattern and malformed date walks, and
# the 16 MB subjects. KORVANE_MEMCHECK_FULL=1 runs everything.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The memcheck preset is the default build with memcheck's options.
cmake --preset memcheck >/dev/null
cmake --build --preset memcheck -j"$(nproc)" >/dev/null
exclude='korvane_install_test|^tool_|_wipe_test$'
if [ -n "${KORVANE_MEMCHECK_EXCLUDE:-}" ]; then exclude="$exclude|$KORVANE_MEMCHECK_EXCLUDE"; fi
if [ "${KORVANE_MEMCHECK_FULL:-0}" != 1 ]; then
  slow='RegexPosixDifferentialTest.*:BigNumberPeer.ModularPowersMatch'
  slow="$slow:RegexBadInputTest.RandomBytePatternsCompileOrFailCleanly"
  slow="$slow:RegexLargeSubjectTest.*SixteenMegabytes"
  slow="$slow:DateNotationsTest.MalformedTextsGiveOnlyTheNamedErrors"
  export GTEST_FILTER="-$slow"
fi
# Dashboard mode (-T) looks for its configuration in the test directory, which
# the preset alone does not set.
ctest --preset memcheck --test-dir build -T memcheck -j"$(nproc)" -E "$exclude"
