#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
tools/installer.sh build-essential cmake pkg-config libgtest-dev libbenchmark-dev \
  libsdl2-dev libsdl2-image-dev xvfb xauth xdotool x11-apps imagemagick
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j2 --timeout 300
