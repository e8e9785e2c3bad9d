# Shared by update-baseline.sh and .ci/steps/abi.sh. Sourced from the source
# tree's root: builds the shared library in the default preset (release code
# with debug information, which abidw reads) and names the files involved.
baseline=abi/libkorvane.abi
headers=include/korvane
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target korvane >/dev/null
library=$(readlink -f build/libkorvane.so)
