#!/usr/bin/env bash
# Configures and builds the one sanitizer build that the test-suite run
# (.ci/steps/asan.sh) and the fuzzing run (.ci/steps/fuzz.sh) share: the asan
# preset of CMakePresets.json (clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, the library, every test and every libFuzzer
# target). Sourced; leaves the directory in $build.
build=build-sanitize
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)" >/dev/null
