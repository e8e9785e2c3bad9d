#!/usr/bin/env bash
# Constant-time check of BigNumber::expMod's engine: runs it under Valgrind's
# memcheck with the base and the exponent marked undefined, so that every
# branch or memory index that depends on them is reported as a use of an
# uninitialised value. The run must report none. It runs twice: on the
# default build, and on a build with the portable word steps and loops alone
# (KORVANE_PORTABLE_WORDS, the code of targets without a 128-bit integer),
# whose GMP comparisons run here as well. Each run goes through every power
# kernel: the word loops, portable and with mulx/adcx/adox, and the radix-52
# field. Memcheck cannot execute AVX-512, so there the radix-52 products run
# their template on plain words; the vector form is compared with GMP by the
# native tests.
set -euo pipefail
cd "$(dirname "$0")/../.."

if ! command -v valgrind >/dev/null 2>&1; then
  apt-get update -qq || echo "apt-get update reported a failure; installing all the same"
  apt-get install -y -qq valgrind
fi

# check_constant_time PROGRAM
check_constant_time() {
  local log status=0
  log=$(mktemp)
  valgrind --tool=memcheck --error-exitcode=99 --log-file="$log" \
    "$1" --gtest_brief=1 || status=$?
  if grep -q "uninitialised" "$log"; then
    echo "expMod depends on secret data ($1):"
    cat "$log"
    rm -f "$log"
    exit 1
  fi
  if [ "$status" -ne 0 ]; then
    echo "the constant-time test failed (status $status, $1):"
    cat "$log"
    rm -f "$log"
    exit 1
  fi
  grep "ERROR SUMMARY" "$log"
  rm -f "$log"
}

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
check_constant_time "$program"

# The portable words: the big-number tests that compare with GMP, then the
# constant-time check.
portable=build-portable
cmake -S . -B "$portable" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_PORTABLE_WORDS=ON \
  -DKORVANE_BUILD_TOOLS=OFF -DKORVANE_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$portable" -j"$(nproc)" --target korvane_bignum_test korvane_bignum_word_test korvane_bignum_wipe_test \
  korvane_bignum_ct_test korvane_fuzz_replay
ctest --test-dir "$portable" --output-on-failure -j"$(nproc)" -R '^(BigNumber|WordKernel|ConstantTime|fuzz_replay_bignum$)'
check_constant_time "$portable/tests/bignum/korvane_bignum_ct_test"
