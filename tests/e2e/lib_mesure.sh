# Helpers of the measuring scripts, on top of lib.sh (source that first):
# holding a key until the program answers, counting console lines by their
# start, and the expected bytes of the three result files.

S_LIGNE="Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche"
I_LIGNE="Ajouter a la selection par couleurs similaires"
RESU_POINT=donnees/resu_point.txt
RESU_X=donnees/resu_point_orbelan_x.txt
RESU_Y=donnees/resu_point_orbelan_y.txt

# e2e_nombre_debut TEXT: how many console lines start with TEXT.
e2e_nombre_debut() { cut -c "1-${#1}" "$E2E_DOSSIER/console.txt" 2>/dev/null | grep -cxF -- "$1" || true; }

# e2e_attendre_debut TEXT COUNT: waits until COUNT console lines start with TEXT.
e2e_attendre_debut() { e2e_attendre_compte e2e_nombre_debut "$1" "$2" "starting '$1'"; }

# e2e_tenir KEY TEXT: holds KEY down until the program has written one more
# TEXT line, then lets it go. A key is sampled once per frame: waiting for its
# answer is both the shortest and the safest press.
e2e_tenir() {
  local avant
  avant=$(e2e_nombre_lignes "$2")
  xdotool keydown "$1"
  e2e_attendre_ligne "$2" $((avant + 1))
  xdotool keyup "$1"
}

# e2e_mesurer_disque X Y CENTRE: a 31 x 31 zone dragged around the disc at
# window (X, Y), I, a click on it, until the CENTRE line. The zones are
# counted in E2E_ZONES, so each waits for its own "Taille de is_select" line.
E2E_ZONES=0
e2e_mesurer_disque() {
  e2e_glisser $(($1 - 15)) $(($2 - 15)) $(($1 + 15)) $(($2 + 15))
  e2e_attendre_motif "^Taille de is_select : 961$" $((++E2E_ZONES))
  e2e_tenir i "$I_LIGNE"
  e2e_clic "$1" "$2"
  e2e_attendre_ligne "$3"
}

# The demo series (1280 x 960 photos at zoom 0.5 in its 1000 x 750 window):
# demo_fenetre N: the window point of photo N's true centre.
demo_fenetre() {
  LC_ALL=C awk -F';' -v n="$1" 'NR == n { printf "%d %d\n", 180 + $1 / 2, 135 + $2 / 2 }' \
    "$E2E_DOSSIER/photos/centres.txt"
}
# demo_mesurer N [DEMI]: S, a zone around photo N's disc (its left part only
# with DEMI), I, a click on the disc.
demo_mesurer() {
  local x y droite
  read -r x y < <(demo_fenetre "$1")
  droite=$((x + 32))
  [ -n "${2:-}" ] && droite=$x
  e2e_tenir s "$S_LIGNE"
  e2e_selectionner $((x - 32)) $((y - 32)) "$droite" $((y + 32)) $((x - 3)) "$y"
}

# resu_attendus FILE: reads "x y" centres (one a line, exact decimal values)
# and writes the three expected result files beside FILE: FILE.point,
# FILE.x and FILE.y, in the result files' byte formats.
resu_attendus() {
  LC_ALL=C awk -v point="$1.point" -v fx="$1.x" -v fy="$1.y" '
    BEGIN { printf "" >point; printf "" >fx; printf "" >fy }
    { printf "%.10f;%.10f\r\n", $1, $2 >point; printf "%.10f;", $1 >fx; printf "%.10f;", $2 >fy }
  ' "$1"
}

# resu_comparer PREFIX [SUFFIX]: the three result files (with SUFFIX added to
# their names) equal PREFIX.point, .x and .y.
resu_comparer() {
  local attendu fichier paire
  for paire in "point:$RESU_POINT" "x:$RESU_X" "y:$RESU_Y"; do
    attendu="$1.${paire%%:*}"
    fichier="$E2E_DOSSIER/${paire#*:}${2:-}"
    cmp -s "$attendu" "$fichier" ||
      e2e_echec "${paire#*:} differs: expected $(od -c "$attendu" | head -n 3), got $(od -c "$fichier" | head -n 3)"
  done
}

# A long series without one process per photo: serie_generer N writes N PPM
# photos photos/img_001.ppm ... (160 x 120, a disc of radius 2.5 on a plain
# background, centred on a pixel centre that moves by known amounts from one
# photo to the next), the file "serie" with the window point to click for each
# (the disc's centre pixel, at zoom 1) and the file "centres" with the centre
# the program must find after each photo. The zone, the whole photo, stays
# from photo to photo, and the colour click only adds to the selection: the
# k-th centre is that of the union of discs 1 to k.
SERIE_LARGEUR=160
SERIE_HAUTEUR=120
serie_generer() {
  mkdir -p "$E2E_DOSSIER/photos"
  LC_ALL=C awk -v n="$1" -v w=$SERIE_LARGEUR -v h=$SERIE_HAUTEUR -v dossier="$E2E_DOSSIER/photos" \
    -v serie="$E2E_DOSSIER/serie" -v centres="$E2E_DOSSIER/centres" '
    BEGIN {
      fond = sprintf("%c%c%c", 30, 30, 30)
      disque = sprintf("%c%c%c", 220, 40, 40)
      ligne = ""
      for (c = 0; c < w; ++c) ligne = ligne fond
      for (k = 1; k <= n; ++k) {
        # pixel (c, r) is in the disc when (c - cc)^2 + (r - cr)^2 <= 6.25
        cc = 4 + (k * 37) % 151
        cr = 4 + (k * 23) % 111
        nom = sprintf("%s/img_%03d.ppm", dossier, k)
        printf "P6\n%d %d\n255\n", w, h >nom
        for (r = 0; r < h; ++r) {
          dr = r - cr
          if (dr * dr > 6) { printf "%s", ligne >nom; continue }
          texte = ligne
          for (dc = -2; dc <= 2; ++dc) {
            if (dc * dc + dr * dr > 6) continue
            c = cc + dc
            texte = substr(texte, 1, 3 * c) disque substr(texte, 3 * c + 4)
            if (!((c, r) in choisi)) { choisi[c, r] = 1; sx += c + 0.5; sy += r + 0.5; nb++ }
          }
          printf "%s", texte >nom
        }
        close(nom)
        printf "%d %d\n", cc, cr >serie
        printf "%.17g %.17g\n", sx / nb, sy / nb >centres
      }
    }'
  resu_attendus "$E2E_DOSSIER/centres"
  e2e_photo photos/figure_fin.png 40 30 bg 10,200,10
  e2e_donnees suffixe=.ppm fin="$1" largeur=$SERIE_LARGEUR hauteur=$SERIE_HAUTEUR zoom=3 max=20000
}

# A reader of the console as it grows: waiting on it costs no polling, and
# it sees the lines in order. Call after e2e_lancer.
lecteur_ouvrir() {
  exec {E2E_LECTEUR}< <(exec tail -n +1 -F --pid="$E2E_PID" "$E2E_DOSSIER/console.txt" 2>/dev/null)
}

# lecteur_attendre TEXT: reads on to the next console line starting with TEXT.
lecteur_attendre() {
  local ligne limite=$((SECONDS + E2E_DELAI))
  # a key held down writes a line every frame: the reads alone never time out
  while [ "$SECONDS" -lt "$limite" ] && IFS= read -r -t "$E2E_DELAI" -u "$E2E_LECTEUR" ligne; do
    [[ $ligne == "$1"* ]] && return 0
  done
  e2e_echec "no further console line starting '$1'"
}

# One xdotool for the whole run, fed a command a line: starting one per
# action costs a fifth of a second on a busy machine. Call after e2e_fenetre.
# The commands go through a file, so a write never waits on xdotool: a stuck
# xdotool shows as a missing answer, which every wait bounds. It ends with
# this script.
xdo_ouvrir() {
  : >"$E2E_DOSSIER/xdotool.cmd"
  (exec tail -n +1 -f --pid=$$ "$E2E_DOSSIER/xdotool.cmd" 2>/dev/null |
    xdotool - >>"$E2E_DOSSIER/xdotool.txt" 2>&1) &
  E2E_XDO_PID=$!
  exec {E2E_XDO}>>"$E2E_DOSSIER/xdotool.cmd"
}
# xdo COMMAND...: one line for that xdotool; it runs after the earlier ones.
xdo() {
  kill -0 "$E2E_XDO_PID" 2>/dev/null || e2e_echec "xdotool ended: $(tail -n 3 "$E2E_DOSSIER/xdotool.txt")"
  echo "$*" >&"$E2E_XDO"
}

# serie_mesurer FIRST LAST: measures photos FIRST to LAST of the
# series (the zone already chosen): I and a click on the disc, then RETURN,
# with one wait per key change, on the program's answer. The program takes
# the key state when it fetches events from the X server, and it fetches
# them only once it has handled every button event of the last fetch, one a
# frame; the first button event of a fetch is handled in that same frame,
# before any key of the fetch is seen. So, whatever fetch the events of one
# step are split across:
#  - RETURN up, I down, a right-button event, the left press: the right
#    button event takes one frame, and the left press comes after the frame
#    that saw I (the right button goes down and up on alternate photos);
#  - the left release, I up, RETURN down: the release is handled while I
#    still holds the colour sub-mode, and RETURN is then seen with I up, so it
#    advances once.
serie_mesurer() {
  local k
  for ((k = $1; k <= $2; ++k)); do
    serie_cliquer "$k"
    serie_avancer
  done
}

# serie_cliquer K: I and the click on the disc of photo K; waits for its centre.
serie_cliquer() {
  local px py droit=mouseup
  read -r px py < <(sed -n "$1p" "$E2E_DOSSIER/serie")
  [ $(($1 % 2)) -eq 0 ] || droit=mousedown
  xdo keyup --delay 0 Return mousemove --window "$E2E_FENETRE" "$px" "$py" keydown --delay 0 i "$droit" 3 mousedown 1
  lecteur_attendre "centre: x= "
}

# serie_avancer: RETURN; waits for the program to take it.
serie_avancer() {
  xdo mouseup 1 keyup --delay 0 i keydown --delay 0 Return
  lecteur_attendre "Vue suivante"
}

# serie_finir: lets go of RETURN and of the right button.
serie_finir() { xdo keyup --delay 0 Return mouseup 3; }

# serie_rss: resident memory of the program, in kB.
serie_rss() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$E2E_PID/status"; }

# serie_demarrer N: a series of N photos, the program started on it, and one
# zone over the whole photo, kept for every photo of the series.
serie_demarrer() {
  serie_generer "$1"
  e2e_lancer
  lecteur_ouvrir
  lecteur_attendre "init success"
  e2e_fenetre
  xdo_ouvrir
  e2e_glisser 0 0 $((SERIE_LARGEUR - 1)) $((SERIE_HAUTEUR - 1))
  lecteur_attendre "Taille de is_select : $((SERIE_LARGEUR * SERIE_HAUTEUR))"
}

# e2e_relancer NAME: after e2e_arreter, the program started again in the same
# folder, the earlier transcript kept as console_NAME.txt; waits for its window.
e2e_relancer() {
  if [ -n "$E2E_FD" ]; then e2e_fermer_entree; fi
  rm -f "$E2E_DOSSIER/entree"
  mv "$E2E_DOSSIER/console.txt" "$E2E_DOSSIER/console_$1.txt"
  : >"$E2E_DOSSIER/console.txt"
  e2e_lancer
  e2e_attendre_ligne "init success"
  e2e_fenetre
}
