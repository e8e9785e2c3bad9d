#!/usr/bin/env bash
# check_install.sh SOURCE_DIR BUILD_DIR CXX
set -euo pipefail
source_dir=$1
build_dir=$2
compiler=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

# find_package(Korvane) with the version file.
cmake -S "$here/downstream" -B "$work/find-package" -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_CXX_COMPILER="$compiler" >/dev/null
cmake --build "$work/find-package" >/dev/null
output=$("$work/find-package/downstream")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "find_package build printed: $output"; exit 1; }

# pkg-config.
libdir=$(dirname "$(find "$prefix" -name korvane.pc)")
flags=$(PKG_CONFIG_PATH="$libdir" pkg-config --cflags --libs korvane)
# shellcheck disable=SC2086
"$compiler" -std=c++17 "$here/downstream/main.cpp" $flags -o "$work/pkg-config-downstream"
output=$(LD_LIBRARY_PATH="$(PKG_CONFIG_PATH="$libdir" pkg-config --variable=libdir korvane)" \
         "$work/pkg-config-downstream")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "pkg-config build printed: $output"; exit 1; }

# add_subdirectory: the library alone, without our tests, inside another project.
cmake -S "$here/embedding" -B "$work/embedding" -DKORVANE_SOURCE_DIR="$source_dir" \
      -DCMAKE_CXX_COMPILER="$compiler" >/dev/null
cmake --build "$work/embedding" -j2 >/dev/null
output=$("$work/embedding/embedding")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "embedded build printed: $output"; exit 1; }
if ctest --test-dir "$work/embedding" -N | grep -q korvane_; then
  echo "the embedding project picked up Korvane's own tests"; exit 1
fi
echo "install, pkg-config and add_subdirectory consumers all work"
