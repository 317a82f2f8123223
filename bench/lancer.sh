#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench/ (or the folder given), runs
# each one and prints one table of their ratios: figure, measured, baseline,
# ratio, target. Each program's whole output is kept in build-bench/releves/.
#
# The photo and marker frames draw on a software renderer of their own, which
# needs no display, and on the default renderer of a window: those two run
# once under xvfb-run -a and give both (the strip frame also on the software
# renderer of a shown window, whose present the bare one lacks). The next-photo step uses the window's
# renderer: it runs under SDL_VIDEODRIVER=dummy (software) and under
# xvfb-run -a (default). Without xvfb-run, everything runs on dummy only.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
construction=${1:-$racine/build-bench}
"$racine/tools/installer.sh" build-essential cmake pkg-config libgtest-dev libsdl2-dev libsdl2-image-dev \
  libsdl2-ttf-dev fonts-dejavu-core libbenchmark-dev xvfb xauth libexif-dev

cibles=(trelune_bench_selection trelune_bench_rendu trelune_bench_vue trelune_bench_suivante trelune_bench_retour
  trelune_bench_prechargement trelune_bench_trace trelune_bench_reglage trelune_bench_suivi
  trelune_bench_correction trelune_bench_suivi_series trelune_bench_calibration)
cmake -S "$racine" -B "$construction" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$construction" -j2 --target "${cibles[@]}" >/dev/null
releves=$construction/releves
rm -rf "$releves"
mkdir -p "$releves"
export SDL_AUDIODRIVER=dummy

# lancer LOG COMMAND...: runs one benchmark in bench/ of the build, its output into LOG.
lancer() {
  local journal=$releves/$1
  shift
  echo "running: $* (output in ${journal#"$racine"/})"
  (cd "$construction/bench" && "$@") >"$journal" 2>&1 || {
    echo "failed: $*" >&2
    tail -n 20 "$journal" >&2
    exit 1
  }
}
ecran=(env SDL_VIDEODRIVER=dummy)
if command -v xvfb-run >/dev/null; then
  ecran=(xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp")
fi

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
debut=$(date +%s)
# Google Benchmark: 0.3 s per figure is enough for stable CPU times here.
lancer selection.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_selection --benchmark_min_time=0.3
lancer vue.txt "${ecran[@]}" ./trelune_bench_vue
lancer rendu.txt "${ecran[@]}" ./trelune_bench_rendu
lancer suivante_logiciel.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_suivante
if command -v xvfb-run >/dev/null; then
  lancer suivante_defaut.txt "${ecran[@]}" ./trelune_bench_suivante
fi
lancer retour.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_retour
lancer prechargement_logiciel.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_prechargement
if command -v xvfb-run >/dev/null; then
  lancer prechargement_defaut.txt "${ecran[@]}" ./trelune_bench_prechargement
fi
lancer trace.txt "${ecran[@]}" ./trelune_bench_trace
lancer reglage.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_reglage --benchmark_min_time=0.3
lancer suivi.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_suivi
mkdir -p "$construction/bench/donnees"  # the result files the correction rewrites
lancer correction.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_correction
# the generated series with events (about 400 photos to write first), each run
# in a child process on the dummy driver
lancer suivi_series.txt ./trelune_bench_suivi_series
lancer calibration.txt env SDL_VIDEODRIVER=dummy ./trelune_bench_calibration
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg); $(($(date +%s) - debut)) s of benchmarks"
grep -h '^video driver' "$releves"/suivante_*.txt "$releves"/prechargement_*.txt || true
echo

{
  printf 'figure\tmeasured\tbaseline\tratio\ttarget\n'
  for journal in selection vue rendu suivante_logiciel suivante_defaut retour prechargement_logiciel prechargement_defaut trace reglage suivi correction suivi_series calibration; do
    if [ -f "$releves/$journal.txt" ]; then cat "$releves/$journal.txt"; fi
  done |
    sed -n 's/^resume\t//p'
} | column -t -s $'\t'
# the stops of the automatic run on the series with events, photo by photo
if [ -f "$releves/suivi_series.txt" ]; then
  echo
  grep -v -e '^resume' -e '^folder kept' "$releves/suivi_series.txt"
fi
