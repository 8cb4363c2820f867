#!/usr/bin/env bash
# Installs what is missing, builds and starts Staffelplan in the data folder
# given as argument (default: the current folder).
set -euo pipefail
here=$(pwd)
src="$(cd "$(dirname "$0")/.." && pwd)"
data=${1:-$here}
"$src/tools/install-deps.sh"
cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$src/build" --target Staffelplan -j "$(nproc)"
mkdir -p "$data"
cd "$data"
exec "$src/build/app/Staffelplan"
