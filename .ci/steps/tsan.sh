#!/usr/bin/env bash
# ThreadSanitizer run of the test programs that use several threads: the
# locks, the log, the deprecation notices and trace timing. The library and the tests are
# built with -fsanitize=thread in a build directory of their own; any report
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."

compiler=clang++
command -v "$compiler" >/dev/null 2>&1 || compiler=g++
build=build-tsan
targets=(korvane_runtime_test korvane_fresh_process_test)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$compiler" \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=thread" \
  -DKORVANE_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"
for target in "${targets[@]}"; do
  program=$(find "$build/tests" -type f -name "$target" -perm -u+x | head -n 1)
  echo "== ThreadSanitizer: $target"
  # Run from the build tree so that tests which look for their helper
  # libraries beside themselves find them.
  "$program" --gtest_brief=1
done
