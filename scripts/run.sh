#!/usr/bin/env bash
# Installs whatever is missing (Debian), builds Kenvaron and starts its window.
# Arguments are handed to the program (for example /prod).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKENVARON_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target kenvaron
exec "$build/ui/kenvaron" "$@"
