# Shared helpers of the end-to-end scripts: a working folder with donnees/
# and photos, a private X server, the real binary with its console on a pipe,
# keys, mouse, screenshots and the exit code. Source it, then call e2e_debut
# with the build folder.
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_debut "$1"                       # build folder (or TRELUNE_BUILD)
#   e2e_photo photos/img_001.png 320 240 bg 0,0,0 disc 160,120,30 255,0,0
#   e2e_donnees dossier=photos premier=1 dernier=3
#   e2e_lancer                           # starts build/trelune in the folder
#   e2e_attendre_ligne "init success"
#   e2e_taper 5                          # a line on the console
#   e2e_arreter; [ "$E2E_CODE" -eq 0 ]   # SIGTERM, exit code
#   e2e_comparer_console attendu.txt     # whole transcript, byte for byte
#
# Every wait polls with a timeout; nothing relies on a fixed delay. A failing
# script keeps its folder (its path is printed) for inspection.

set -euo pipefail

E2E_DELAI=${E2E_DELAI:-20}   # seconds any single wait may take
E2E_PID=""
E2E_XVFB_PID=""
E2E_FD=""
E2E_CODE=""
E2E_FENETRE=""

# Reports a failure with the console so far, and stops the script.
e2e_echec() {
  echo "E2E FAILURE: $*" >&2
  if [ -n "${E2E_DOSSIER:-}" ] && [ -f "$E2E_DOSSIER/console.txt" ]; then
    echo "---- console ----" >&2
    cat -A "$E2E_DOSSIER/console.txt" >&2 || true
    echo "---- stderr ----" >&2
    tail -n 30 "$E2E_DOSSIER/erreurs.txt" >&2 || true
  fi
  E2E_GARDER=1
  exit 1
}

# Stops whatever is still running; removes the folder unless a step failed.
e2e_nettoyer() {
  local code=$?
  if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill -KILL "$E2E_PID" 2>/dev/null || true
    wait "$E2E_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_FD" ]; then exec {E2E_FD}>&- || true; fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill -TERM "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  if [ "$code" -ne 0 ] || [ -n "${E2E_GARDER:-}" ]; then
    echo "e2e folder kept: ${E2E_DOSSIER:-}" >&2
  elif [ -n "${E2E_DOSSIER:-}" ]; then
    rm -rf "$E2E_DOSSIER"
  fi
  exit "$code"
}

# e2e_debut BUILD: a fresh working folder holding donnees/, and the binaries.
e2e_debut() {
  E2E_BUILD=$(cd "${1:-${TRELUNE_BUILD:?build folder as first argument or TRELUNE_BUILD}}" && pwd)
  E2E_TRELUNE="$E2E_BUILD/trelune"
  E2E_PHOTO_DISQUE="$E2E_BUILD/trelune_photo_disque"
  [ -x "$E2E_TRELUNE" ] || { echo "missing $E2E_TRELUNE" >&2; exit 1; }
  [ -x "$E2E_PHOTO_DISQUE" ] || { echo "missing $E2E_PHOTO_DISQUE" >&2; exit 1; }
  E2E_DOSSIER=$(mktemp -d /tmp/trelune_e2e_XXXXXX)
  mkdir -p "$E2E_DOSSIER/donnees"
  trap e2e_nettoyer EXIT
  export SDL_AUDIODRIVER=dummy
  export ASAN_OPTIONS=detect_leaks=0   # the X and D-Bus libraries leak
  unset SDL_VIDEODRIVER
}

# e2e_photo PATH W H [bg R,G,B] [disc CX,CY,RADIUS R,G,B]: a PNG in the folder.
e2e_photo() {
  local chemin="$E2E_DOSSIER/$1"
  shift
  mkdir -p "$(dirname "$chemin")"
  "$E2E_PHOTO_DISQUE" "$chemin" "$@" || e2e_echec "photo $chemin not written"
}

# e2e_donnees [key=value ...]: writes donnees/donnees.txt, naming scheme 3
# (one number) unless told otherwise. Keys and defaults:
#   dossier=photos mode=3 prefixe=img_ debut=1 chiffres=3 suffixe=.png pas=1
#   fin=3 largeur=640 hauteur=480 zoom=3 deplacement=20 tolerances="30 30 30"
#   max=5000 fog="255 0 0 30" pixel="255 255 255 30"
e2e_donnees() {
  local dossier=photos mode=3 prefixe=img_ debut=1 chiffres=3 suffixe=.png pas=1 fin=3
  local largeur=640 hauteur=480 zoom=3 deplacement=20 tolerances="30 30 30" max=5000
  local fog="255 0 0 30" pixel="255 255 255 30"
  local paire
  for paire in "$@"; do
    case "${paire%%=*}" in
      dossier | mode | prefixe | debut | chiffres | suffixe | pas | fin | largeur | hauteur | zoom | \
        deplacement | tolerances | max | fog | pixel)
        printf -v "${paire%%=*}" '%s' "${paire#*=}" ;;
      *) e2e_echec "unknown parameter key ${paire%%=*}" ;;
    esac
  done
  cat >"$E2E_DOSSIER/donnees/donnees.txt" <<EOF
Parametres de l'essai
$dossier dossier des photos
$mode mode de nommage
ABCDEFGHIJKLMNOPQR.01.005.jpeg premier fichier
5 pas
ABCDEFGHIJKLMNOPQR.02.100.jpeg dernier fichier
$prefixe;prefixe
$debut premier numero
$chiffres chiffres du numero
_;separateur
0 premier second numero
3 chiffres du second numero
$suffixe;suffixe
$pas pas du numero
1 pas du second numero
100 modulo du second numero
$fin dernier numero
0 dernier second numero
$largeur largeur de la fenetre
$hauteur hauteur de la fenetre
$zoom indice du zoom
$deplacement pas de deplacement
$tolerances tolerances rouge vert bleu
$max nombre maximal de pixels
$fog couleur de la zone
$pixel couleur des pixels
EOF
}

# Starts a private X server without key autorepeat on a free display.
e2e_xvfb() {
  local numero="$E2E_DOSSIER/display.txt" essai
  # A loaded machine sometimes leaves a server without a display number for a
  # long time: start another one rather than fail the run.
  for essai in 1 2 3; do
    if e2e_xvfb_essai "$numero"; then
      export DISPLAY=":$(head -n 1 "$numero")"
      local limite=$((SECONDS + E2E_DELAI))
      until xdotool getmouselocation >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$limite" ] || e2e_echec "display $DISPLAY not answering"
        sleep 0.05
      done
      return 0
    fi
    kill -KILL "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=""
  done
  e2e_echec "Xvfb gave no display: $(cat "$E2E_DOSSIER/xvfb.txt")"
}

# e2e_xvfb_essai FILE: one server start; true once it wrote its display number.
# Without -noreset the server resets when its last client leaves, refusing
# connections meanwhile: a key let go just after the program is killed would
# find no display.
e2e_xvfb_essai() {
  local numero=$1
  : >"$numero"
  Xvfb -displayfd 9 -r -noreset -screen 0 1280x1024x24 -nolisten tcp 9>"$numero" >"$E2E_DOSSIER/xvfb.txt" 2>&1 &
  E2E_XVFB_PID=$!
  local limite=$((SECONDS + E2E_DELAI))
  until [ -s "$numero" ]; do
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || return 1
    [ "$SECONDS" -lt "$limite" ] || return 1
    sleep 0.05
  done
}

# e2e_lancer: starts the binary in the working folder (an X server first if
# none), its console input on a pipe held open here, its output in console.txt.
e2e_lancer() {
  [ -n "$E2E_XVFB_PID" ] || e2e_xvfb
  # a second run in the same folder gets a fresh pipe
  if [ -n "$E2E_FD" ]; then e2e_fermer_entree; fi
  rm -f "$E2E_DOSSIER/entree"
  mkfifo "$E2E_DOSSIER/entree"
  # read-write: the open does not wait for a reader, and the pipe stays open
  # until e2e_fermer_entree (call it once the program runs: it opens its end)
  exec {E2E_FD}<>"$E2E_DOSSIER/entree"
  # the program must not hold the writing end itself, or its input never ends
  (cd "$E2E_DOSSIER" && exec "$E2E_TRELUNE" <"$E2E_DOSSIER/entree" {E2E_FD}>&- >console.txt 2>erreurs.txt) &
  E2E_PID=$!
}

# e2e_taper TEXT: one line on the program's console input.
e2e_taper() { printf '%s\n' "$1" >&"$E2E_FD"; }

# e2e_fermer_entree: end of input for the program's console.
e2e_fermer_entree() {
  exec {E2E_FD}>&-
  E2E_FD=""
}

# e2e_nombre_lignes TEXT: how many console lines are exactly TEXT.
# (0 also before the program has made the file)
e2e_nombre_lignes() {
  local n
  n=$(grep -cxF -- "$1" "$E2E_DOSSIER/console.txt" 2>/dev/null) || true
  echo "${n:-0}"
}

# e2e_attendre_compte COUNTER TEXT COUNT WHAT: waits until "COUNTER TEXT"
# reaches COUNT; fails with WHAT when the time is up or the program ended.
e2e_attendre_compte() {
  local compteur=$1 texte=$2 nombre=$3 quoi=$4
  local limite=$((SECONDS + E2E_DELAI))
  until [ "$("$compteur" "$texte")" -ge "$nombre" ]; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "no console line $quoi (x$nombre)"
    kill -0 "$E2E_PID" 2>/dev/null || [ "$("$compteur" "$texte")" -ge "$nombre" ] ||
      e2e_echec "program ended before a line $quoi (x$nombre)"
    sleep 0.05
  done
}

# e2e_attendre_ligne TEXT [COUNT]: waits until COUNT (1) console lines are TEXT.
e2e_attendre_ligne() { e2e_attendre_compte e2e_nombre_lignes "$1" "${2:-1}" "'$1'"; }

# e2e_nombre_motifs REGEX: how many console lines match the extended REGEX.
e2e_nombre_motifs() {
  local n
  n=$(grep -cE -- "$1" "$E2E_DOSSIER/console.txt" 2>/dev/null) || true
  echo "${n:-0}"
}

# e2e_attendre_motif REGEX [COUNT]: waits until COUNT (1) console lines match.
e2e_attendre_motif() { e2e_attendre_compte e2e_nombre_motifs "$1" "${2:-1}" "matching '$1'"; }

# e2e_memoire: the program's resident memory, in kB.
e2e_memoire() { awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_PID/status"; }

# e2e_attendre_fin: waits for the program to end by itself; sets E2E_CODE.
e2e_attendre_fin() {
  local limite=$((SECONDS + E2E_DELAI))
  while kill -0 "$E2E_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "program still running"
    sleep 0.05
  done
  E2E_CODE=0
  wait "$E2E_PID" || E2E_CODE=$?
  E2E_PID=""
}

# e2e_arreter: asks the program to stop (SIGTERM: the media library turns it
# into the close request) and waits for it; sets E2E_CODE.
e2e_arreter() {
  kill -TERM "$E2E_PID" 2>/dev/null || true
  e2e_attendre_fin
}

# e2e_comparer_console FILE: the whole console transcript equals FILE.
e2e_comparer_console() {
  cmp -s "$1" "$E2E_DOSSIER/console.txt" ||
    e2e_echec "console differs: $(diff <(cat -A "$1") <(cat -A "$E2E_DOSSIER/console.txt") | head -n 20)"
}

# e2e_fenetre: waits for the window titled Trelune; sets E2E_FENETRE and its
# screen position E2E_FX, E2E_FY.
e2e_fenetre() {
  local limite=$((SECONDS + E2E_DELAI))
  until E2E_FENETRE=$(xdotool search --onlyvisible --name '^Trelune$' 2>/dev/null | head -n 1) &&
    [ -n "$E2E_FENETRE" ]; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "no window titled Trelune"
    sleep 0.05
  done
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$E2E_FENETRE")"
  E2E_FX=$X
  E2E_FY=$Y
  E2E_FW=$WIDTH
  E2E_FH=$HEIGHT
}

# e2e_tenir KEY LINE [COUNT]: holds KEY down until COUNT (1) console lines are
# LINE. A slow frame (sanitizer build) can miss a short press entirely; a key
# held until its effect shows cannot be missed. A key that acts once per press
# (P, L) must then be seen up by a frame before it is pressed again.
e2e_tenir() {
  xdotool keydown "$1"
  e2e_attendre_ligne "$2" "${3:-1}"
  xdotool keyup "$1"
}

# Mouse, in window coordinates.
e2e_souris() { xdotool mousemove --sync --window "$E2E_FENETRE" "$1" "$2"; }
e2e_appui() { xdotool mousedown 1; }
e2e_relache() { xdotool mouseup 1; }
e2e_clic() {
  e2e_souris "$1" "$2"
  xdotool click 1
}
# e2e_glisser X0 Y0 X1 Y1: a left drag from one window point to another.
e2e_glisser() {
  e2e_souris "$1" "$2"
  e2e_appui
  e2e_souris "$3" "$4"
  e2e_relache
}

# e2e_selectionner X0 Y0 X1 Y1 X Y: the zone dragged from (X0, Y0) to
# (X1, Y1), I held, a click at (X, Y). The automatic run prints zone and
# centre lines too: each step waits for one more answer than there were.
e2e_selectionner() {
  local n i_ligne="Ajouter a la selection par couleurs similaires"
  n=$(e2e_nombre_motifs '^Taille de is_select : ')
  e2e_glisser "$1" "$2" "$3" "$4"
  e2e_attendre_motif '^Taille de is_select : ' $((n + 1))
  n=$(e2e_nombre_lignes "$i_ligne")
  xdotool keydown i
  e2e_attendre_ligne "$i_ligne" $((n + 1))
  xdotool keyup i
  n=$(e2e_nombre_motifs '^centre: ')
  e2e_clic "$5" "$6"
  e2e_attendre_motif '^centre: ' $((n + 1))
}

# e2e_capture FILE: a screenshot of the whole screen.
e2e_capture() { xwd -root -silent | convert xwd:- "png:$1"; }

# e2e_pixels FILE X Y W H: "x y R,G,B" per pixel of a window rectangle of the
# screenshot FILE, x and y in window coordinates.
e2e_pixels() {
  convert "$1" -crop "${4}x${5}+$((E2E_FX + $2))+$((E2E_FY + $3))" +repage -depth 8 txt:- |
    sed -n 's/^\([0-9]*\),\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3,\4,\5/p' |
    awk -v x0="$2" -v y0="$3" '{ print $1 + x0, $2 + y0, $3 }'
}

# e2e_pixel X Y: "R,G,B" of the window pixel (X, Y) on a fresh screenshot.
e2e_pixel() {
  local capture="$E2E_DOSSIER/capture.png"
  e2e_capture "$capture"
  convert "$capture" -crop "1x1+$((E2E_FX + $1))+$((E2E_FY + $2))" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -n 1
}

# e2e_attendre_pixel X Y R,G,B: waits until window pixel (X, Y) has that colour
# (the first frames may not be drawn yet).
e2e_attendre_pixel() {
  local limite=$((SECONDS + E2E_DELAI)) vu
  until vu=$(e2e_pixel "$1" "$2") && [ "$vu" = "$3" ]; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "window pixel ($1, $2) is $vu, not $3"
    sleep 0.1
  done
}
