#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every target at once for the given
# number of seconds (25 by default), from its seeds in fuzz/corpus/<name>/.
# New inputs gather in build-fuzz/corpus/<name>/; a crash, hang or failed
# check leaves its input in build-fuzz/trouvailles/<name>/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes=${1:-25}
tools/installer.sh build-essential cmake pkg-config libgtest-dev libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev \
  clang libclang-rt-dev
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRELUNE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target trelune_fuzz

racine=$PWD
pids=()
noms=()
while read -r nom; do
  [ -n "$nom" ] || continue
  mkdir -p "build-fuzz/corpus/$nom" "build-fuzz/trouvailles/$nom"
  graines=()
  [ -d "fuzz/corpus/$nom" ] && graines=("$racine/fuzz/corpus/$nom")
  # -timeout: one input running this long is a hang
  "build-fuzz/fuzz/fuzz_$nom" "$racine/build-fuzz/corpus/$nom" "${graines[@]}" \
    -max_total_time="$secondes" -timeout=10 -rss_limit_mb=1024 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$racine/build-fuzz/trouvailles/$nom/" \
    >"build-fuzz/fuzz_$nom.log" 2>&1 &
  pids+=($!)
  noms+=("$nom")
done <build-fuzz/fuzz/cibles.txt

echec=0
for k in "${!pids[@]}"; do
  nom=${noms[$k]}
  if wait "${pids[$k]}"; then
    echo "fuzz_$nom: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "build-fuzz/fuzz_$nom.log"), no fault"
  else
    echec=1
    echo "fuzz_$nom: FAULT, log build-fuzz/fuzz_$nom.log, input in build-fuzz/trouvailles/$nom/"
    grep -E -A30 '^==[0-9]+==ERROR|runtime error|fuzz_[a-z_]+: |ALARM|deadly signal' \
      "build-fuzz/fuzz_$nom.log" | head -60 || true
  fi
done
exit $echec
