#!/usr/bin/env bash
# Configures and builds the one sanitizer build that the test-suite run
# (.ci/steps/asan.sh) and the fuzzing run (.ci/steps/fuzz.sh) share: clang
# with AddressSanitizer and UndefinedBehaviorSanitizer, the library, every
# test and every libFuzzer target. Sourced; leaves the directory in $build.
build=build-sanitize
flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined"
flags="$flags -fno-omit-frame-pointer -g -O1"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_FLAGS="$flags" -DKORVANE_FUZZ=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
