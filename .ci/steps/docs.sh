#!/usr/bin/env bash
# The API reference: Doxygen over the public headers, where a public member
# without a contract comment (or any other Doxygen warning) fails the build.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset default >/dev/null
cmake --build --preset default --target docs
echo "API reference: build/docs/html/index.html"
