#!/usr/bin/env bash
# Builds every libFuzzer target with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a bounded time on a copy of
# its seed corpus, as many at once as there are processors.
# KORVANE_FUZZ_SECONDS sets the time per target (default 20; give it minutes
# when running by hand). KORVANE_FUZZ_TARGETS="date zone" runs only those.
# KORVANE_FUZZ_SEED fixes libFuzzer's random seed (default 1, so that a run
# explores the same inputs on every machine, only further on a faster one;
# 0 lets libFuzzer pick a new seed, which is what a longer hand run wants).
# An input that fails a target is kept in build-sanitize/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${KORVANE_FUZZ_SECONDS:-20}
seed=${KORVANE_FUZZ_SEED:-1}
# The build is shared with the sanitizer test run and is only brought up to date here.
source .ci/sanitizer-build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"
# Every target first replays its seed corpus.
ctest --preset fuzz -j"$(nproc)"

targets=()
for fuzzer in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer"); name=${name#fuzz_}
  if [ -n "${KORVANE_FUZZ_TARGETS:-}" ] && [[ " $KORVANE_FUZZ_TARGETS " != *" $name "* ]]; then continue; fi
  targets+=("$name")
done

# One target: its own copy of the corpus, its own log; the exit status goes to
# $work/<name>.status.
run_one() {
  local name=$1
  mkdir -p "$work/$name"
  if [ -d "tests/fuzz/corpus/$name" ]; then cp -r "tests/fuzz/corpus/$name/." "$work/$name/"; fi
  local status=0
  "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$work/$name" \
    >"$work/$name.log" 2>&1 || status=$?
  echo "$status" >"$work/$name.status"
}
export -f run_one
export build work seconds seed artifacts
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one {}'

status=0
for name in "${targets[@]}"; do
  log="$work/$name.log"
  if [ "$(cat "$work/$name.status")" = 0 ]; then
    echo "fuzz $name: $(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$log" | grep -Eo '[0-9]+$') executions"
  else
    echo "fuzz $name: FAILED (input kept in $artifacts)"; tail -40 "$log"; status=1
  fi
done
exit $status
