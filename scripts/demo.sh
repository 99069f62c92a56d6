#!/usr/bin/env bash
# Sets the machine up, builds the lumora program and runs the demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target lumora
exec "$build/src/host/lumora" demo "$@"
