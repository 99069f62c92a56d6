#!/usr/bin/env bash
# Installs the Debian packages the project needs. Idempotent: packages already
# present are not fetched again, and apt's lists are refreshed only when needed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang
  libclang-rt-14-dev  # libFuzzer and clang's sanitizer runtimes: only recommended by clang
  libpng-dev libjpeg62-turbo-dev libgif-dev libpixman-1-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  nlohmann-json3-dev liblua5.4-dev libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libopencv-imgproc-dev libopencv-imgcodecs-dev  # benchmarks' anchor only; optional
  xvfb xdotool x11-apps imagemagick
  # Qt 6 Widgets (moc, uic) and Designer's plugin interface, for src/qt.
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
