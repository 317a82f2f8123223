#!/usr/bin/env bash
# Installs what is missing, builds, generates the demo series and opens it.
# --difficile: the harder series (drift of brightness, close patch, one jump).
set -euo pipefail
cd "$(dirname "$0")"
dossier=demo_serie
option=
case "${1:-}" in
  "") ;;
  --difficile) dossier=demo_difficile; option=--difficile ;;
  *) echo "usage : ./demo.sh [--difficile]" >&2; exit 2 ;;
esac
tools/installer.sh build-essential cmake pkg-config libgtest-dev libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev \
  fonts-dejavu-core libexif-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target trelune trelune_demo
mkdir -p "build/$dossier"
cd "build/$dossier"
../trelune_demo $option .
exec ../trelune
