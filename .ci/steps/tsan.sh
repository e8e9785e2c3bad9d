#!/usr/bin/env bash
# ThreadSanitizer run of the test programs that use several threads: the
# locks, the log, the deprecation notices and trace timing. The tsan preset
# builds the library and those tests with -fsanitize=thread in a build
# directory of their own; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j"$(nproc)"
ctest --preset tsan
