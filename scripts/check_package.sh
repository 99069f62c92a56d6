#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and builds the example
# application against it twice: through find_package(OrvaneLumora) and
# through pkg-config. Then runs both. When the tree has windows, builds the
# window example both ways too and runs it without a display, where it must
# load, say why no window opens and end with code 1 (the end-to-end test
# runs it in a window).
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

if [ "$(pkg-config --variable=window orvane-lumora)" != yes ]; then
  echo "package: built without windows (no SDL2)"
  exit 0
fi
window_example="$build/window-example"
rm -rf "$window_example"
cmake -S "$root/examples/cpp_window" -B "$window_example" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$window_example"
# shellcheck disable=SC2046
c++ -std=c++20 "$root/examples/cpp_window/main.cpp" -o "$window_example/lumora_window_example_pc" \
  $(pkg-config --cflags --libs orvane-lumora-window)
for program in "$window_example/lumora_window_example" \
  "$window_example/lumora_window_example_pc"; do
  code=0
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER LD_LIBRARY_PATH="$prefix/lib" \
    "$program" "$root/src/about/resources/logo.gif" 2>&1) || code=$?
  if [ "$code" != 1 ] || [[ "$said" != *"no display"* ]]; then
    echo "package: $program without a display ended with code $code: $said" >&2
    exit 1
  fi
done
echo "package: installed tree builds and loads the window example"
