#!/usr/bin/env bash
# Constant-time check of BigNumber::expMod's engine: runs it under Valgrind's
# memcheck with the base and the exponent marked undefined, so that every
# branch or memory index that depends on them is reported as a use of an
# uninitialised value. The run must report none.
set -euo pipefail
cd "$(dirname "$0")/../.."

if ! command -v valgrind >/dev/null 2>&1; then
  apt-get update -qq && apt-get install -y -qq valgrind
fi

build=build
program="$build/tests/bignum/korvane_bignum_ct_test"
if [ ! -x "$program" ]; then
  # Configured before valgrind's header was there: look for it again.
  cmake --preset default -U KORVANE_HAVE_MEMCHECK_HEADER >/dev/null
  cmake --build --preset default -j"$(nproc)" --target korvane_bignum_ct_test
fi

# Memcheck hides BMI2 and ADX from the program although it runs them; when
# this processor has them, the test is told to use that kernel as well.
if grep -qw adx /proc/cpuinfo && grep -qw bmi2 /proc/cpuinfo; then
  export KORVANE_TEST_CARRY_CHAINS=1
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
valgrind --tool=memcheck --error-exitcode=99 --log-file="$log" \
  "$program" --gtest_brief=1 || status=$?
if grep -q "uninitialised" "$log"; then
  echo "expMod depends on secret data:"
  cat "$log"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  echo "the constant-time test failed (status $status):"
  cat "$log"
  exit 1
fi
grep "ERROR SUMMARY" "$log"
