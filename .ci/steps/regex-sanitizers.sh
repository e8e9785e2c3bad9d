#!/usr/bin/env bash
# The regular-expression tests under AddressSanitizer and UndefinedBehaviorSanitizer:
# the matcher reads the subject with vector loads and keeps its own stack, so
# out-of-bounds reads and overflows are worth a run of their own.
set -euo pipefail
cd "$(dirname "$0")/../.."

targets=(korvane_regex_program_test korvane_regex_test korvane_regex_posix_test
         korvane_regex_bad_input_test korvane_regex_large_test)
cmake -S . -B build-regex-sanitizers -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=all" >/dev/null
cmake --build build-regex-sanitizers -j"$(nproc)" --target "${targets[@]}"
for target in "${targets[@]}"; do
  "./build-regex-sanitizers/tests/regex/$target" --gtest_brief=1
done
