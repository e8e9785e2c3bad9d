#!/usr/bin/env bash
# Builds every libFuzzer target with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a bounded time on a copy of
# its seed corpus. KORVANE_FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${KORVANE_FUZZ_SECONDS:-20}
build=build-fuzz
flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -g -O1"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_FLAGS="$flags" -DKORVANE_FUZZ=ON -DBUILD_TESTING=OFF \
      -DKORVANE_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for fuzzer in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer"); name=${name#fuzz_}
  mkdir -p "$work/$name"
  if [ -d "tests/fuzz/corpus/$name" ]; then cp -r "tests/fuzz/corpus/$name/." "$work/$name/"; fi
  log="$work/$name.log"
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$work/$name-" "$work/$name" >"$log" 2>&1; then
    echo "fuzz $name: $(grep -Eo 'stat::number_of_executed_units: [0-9]+|Done [0-9]+ runs' "$log" | tail -1)"
  else
    echo "fuzz $name: FAILED"; tail -40 "$log"; status=1
  fi
done
exit $status
