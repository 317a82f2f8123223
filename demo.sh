#!/usr/bin/env bash
# Installs what is missing, builds, generates the demo series and opens it.
# --difficile: the harder series (drift of brightness, close patch, one jump).
# Any other options go to the generator (--pas 2.37 --photos 200,
# --occultation, --croisement, --bicolore, --absentes...), the series in
# build/demo_options/.
set -euo pipefail
cd "$(dirname "$0")"
dossier=demo_serie
options=()
case "$*" in
  "") ;;
  --difficile) dossier=demo_difficile; options=(--difficile) ;;
  -*) dossier=demo_options; options=("$@") ;;
  *) echo "usage : ./demo.sh [--difficile | options de trelune_demo]" >&2; exit 2 ;;
esac
tools/installer.sh build-essential cmake pkg-config libgtest-dev libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev \
  fonts-dejavu-core libexif-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target trelune trelune_demo
# another set of options may leave out other photos and files
if [ "$dossier" = demo_options ]; then rm -rf "build/$dossier/photos"; fi
mkdir -p "build/$dossier"
cd "build/$dossier"
../trelune_demo . "${options[@]}"
exec ../trelune
