#!/usr/bin/env bash
# check_install.sh SOURCE_DIR BUILD_DIR CXX [TOOLCHAIN_FILE EMULATOR [ARGUMENT...]]
# With a toolchain file the consumers are cross-built with it and run through
# the emulator (with its arguments); Windows programs each beside the DLLs
# they need.
set -euo pipefail
source_dir=$1
build_dir=$2
compiler=$3
toolchain=${4:-}
emulator=("${@:5}")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

cross=()
if [ -n "$toolchain" ]; then
  # The toolchain confines package searches to the compiler's own root, so
  # the package is named by its folder.
  cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKorvane_DIR="$(dirname "$(find "$prefix" -name KorvaneConfig.cmake)")")
fi

# run PROGRAM [DLL_FOLDER...]: its standard output, line ends as on Linux.
run() {
  local program=$1
  shift
  if [ ${#emulator[@]} -eq 0 ]; then
    "$program"
    return
  fi
  if [ ! -e "$program.exe" ]; then
    "${emulator[@]}" "$program"
    return
  fi
  # Windows finds a program's DLLs in the program's own folder.
  local folder
  for folder in "$@"; do
    find "$folder" -maxdepth 1 -name '*.dll' -exec cp -n {} "$(dirname "$program")" \;
  done
  "${emulator[@]}" "$program.exe" | tr -d '\r'
}

# find_package(Korvane) with the version file.
cmake -S "$here/downstream" -B "$work/find-package" -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_CXX_COMPILER="$compiler" "${cross[@]}" >/dev/null
cmake --build "$work/find-package" >/dev/null
output=$(run "$work/find-package/downstream" "$prefix/bin")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "find_package build printed: $output"; exit 1; }

# pkg-config.
libdir=$(dirname "$(find "$prefix" -name korvane.pc)")
flags=$(PKG_CONFIG_PATH="$libdir" pkg-config --cflags --libs korvane)
# shellcheck disable=SC2086
mkdir "$work/pkg-config"
"$compiler" -std=c++17 "$here/downstream/main.cpp" $flags -o "$work/pkg-config/downstream"
output=$(LD_LIBRARY_PATH="$(PKG_CONFIG_PATH="$libdir" pkg-config --variable=libdir korvane)" \
         run "$work/pkg-config/downstream" "$prefix/bin")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "pkg-config build printed: $output"; exit 1; }

# add_subdirectory: the library alone, without our tests, inside another project.
cmake -S "$here/embedding" -B "$work/embedding" -DKORVANE_SOURCE_DIR="$source_dir" \
      -DCMAKE_CXX_COMPILER="$compiler" "${cross[@]}" >/dev/null
cmake --build "$work/embedding" -j2 >/dev/null
output=$(run "$work/embedding/embedding" "$work/embedding/korvane" "$prefix/bin")
[ "$output" = "downstream: Parameter is NULL" ] || { echo "embedded build printed: $output"; exit 1; }
if ctest --test-dir "$work/embedding" -N | grep -q korvane_; then
  echo "the embedding project picked up Korvane's own tests"; exit 1
fi
echo "install, pkg-config and add_subdirectory consumers all work"
