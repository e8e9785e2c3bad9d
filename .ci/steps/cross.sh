#!/usr/bin/env bash
# The other word sizes and byte orders: i686 (32-bit), s390x (big-endian)
# and aarch64, each cross-compiled with Debian's compilers and tested under
# qemu-user against the target's own GMP and GoogleTest (multiarch packages).
# The seeded random loops run a tenth of their turns there
# (KORVANE_TEST_SCALE in the test presets); tests whose peer the targets
# lack (OpenSSL) are registered disabled and listed by their label.
set -euo pipefail
cd "$(dirname "$0")/../.."

targets=(linux-i686 linux-s390x linux-aarch64)
architectures=(i386 s390x arm64)
needed=(g++-i686-linux-gnu g++-s390x-linux-gnu g++-aarch64-linux-gnu qemu-user python3)
for architecture in "${architectures[@]}"; do
  needed+=("libgmp-dev:$architecture" "libgtest-dev:$architecture")
done
missing=()
for package in "${needed[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  for architecture in "${architectures[@]}"; do
    dpkg --add-architecture "$architecture"
  done
  # A mirror caught mid-sync fails one index of the new architectures now
  # and then; the install says so itself if a package cannot be had.
  apt-get update -qq || echo "apt-get update reported a failure; installing all the same"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

for target in "${targets[@]}"; do
  echo "== $target"
  start=$SECONDS
  cmake --preset "$target" >/dev/null
  cmake --build --preset "$target"
  echo "== $target: built in $((SECONDS - start)) s"
  # The tests registered disabled, by their peer label.
  ctest --preset "$target" -N --show-only=json-v1 | python3 -c '
import collections, json, sys
left_out = collections.defaultdict(list)
for test in json.load(sys.stdin)["tests"]:
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    if properties.get("DISABLED"):
        for label in properties.get("LABELS", []):
            if label.startswith("peer-"):
                left_out[label].append(test["name"])
print("== left out on '"$target"', by the peer the target lacks:")
for label, names in sorted(left_out.items()):
    print("   %s: %d (%s)" % (label, len(names), " ".join(names)))
print("== %d tests left out; all others run:" % sum(len(n) for n in left_out.values()))
'
  start=$SECONDS
  ctest --preset "$target"
  echo "== $target: tests in $((SECONDS - start)) s"
done
