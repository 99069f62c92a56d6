#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and builds the example
# application against it twice: through find_package(OrvaneLumora) and
# through pkg-config. Then runs both.
# Usage: scripts/check_package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
prefix=$(mktemp -d)
example="$build/example"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
rm -rf "$example"
cmake -S "$root/examples/cpp" -B "$example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$example"
"$example/lumora_example" "$root/src/about/resources/logo.gif" "$example/frame.png"

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046  # pkg-config prints several words on purpose
c++ -std=c++20 "$root/examples/cpp/main.cpp" -o "$example/lumora_example_pc" \
  $(pkg-config --cflags --libs orvane-lumora)
LD_LIBRARY_PATH="$prefix/lib" "$example/lumora_example_pc" \
  "$root/src/about/resources/logo.gif" "$example/frame_pc.png"
echo "package: installed tree builds and runs the example"

# --- Qt: when the build has the Qt widgets, the installed Qt component builds
# the Qt examples (the viewer and a Designer form through uic), and the
# Designer plugin lies in Qt's plugin folder under the prefix.
if [ -f "$prefix/lib/cmake/OrvaneLumora/OrvaneLumoraQtTargets.cmake" ]; then
  rm -rf "$example-qt"
  cmake -S "$root/examples/qt" -B "$example-qt" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$example-qt"
  test -f "$prefix/lib/qt6/plugins/designer/liborvane_lumora_designer.so"
  echo "package: installed tree builds the Qt examples; the Designer plugin is installed"
fi
