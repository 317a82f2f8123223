#!/usr/bin/env bash
# Installs what is missing, builds, generates the demo series and opens it.
set -euo pipefail
cd "$(dirname "$0")"
tools/installer.sh build-essential cmake pkg-config libgtest-dev libsdl2-dev libsdl2-image-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target trelune trelune_demo
mkdir -p build/demo_serie
cd build/demo_serie
../trelune_demo .
exec ../trelune
