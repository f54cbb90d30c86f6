#!/usr/bin/env bash
# Builds Kenvaron and runs every test.  --sanitize builds with ASan and UBSan.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKENVARON_SANITIZE=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-sanitize"
  flags=(-DCMAKE_BUILD_TYPE=Debug -DKENVARON_SANITIZE=ON)
fi
cmake -S "$here" -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build" && ctest --output-on-failure -j "$(nproc)"
