// The texts of key H's strip and help, laid out in characters: pure, no
// font nor window. display/bandeau.cpp draws them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "series/compteurs.h"

// What the key's action hands over: the help lines (key, what it does).
struct SourceBandeau {
  std::vector<std::pair<std::string, std::string>> aide;
};

// What the strip shows, as the record holds it.
struct ValeursBandeau {
  std::string nom_photo;
  PlaceSerie place;
  bool couleurs_voisines = false;
  // the sub-mode: the first one set of zone, ajout, couleur, retrait
  bool choix_zone = false, ajout_souris = false, ajout_couleurs = false, retrait_souris = false;
  int32_t tolerance_rouge = 0, tolerance_vert = 0, tolerance_bleu = 0;
  int32_t nombre_selectionnes = 0;
  double centre_x = 0.0, centre_y = 0.0;
  double zoom = 0.0;
  bool suivi_en_cours = false;
  bool caches_passes = false;  // K: the run passes photos where the object seems hidden
  std::string arret_suivi;     // the run's last stop, while the strip shows it
  // RETURN would record again a centre no selection change on this photo made
  bool centre_repete = false;
  // RETURN waits for a sub-mode key
  bool entree_bloquee = false;
};

// The record's values for the strip, at `place` in the series.
ValeursBandeau valeursBandeau(const PlaceSerie& place);

// The automatic run's last stop is shown: no key was pressed since.
bool arretSuiviMontre();
// The strip is shown for the automatic run, H or not: while it goes and
// while its stop is shown.
bool bandeauDuSuivi();

// The lines of the strip, each at most `colonnes` characters: the photo's
// name (its end kept) with its rank and length, then the modes, tolerances,
// count, centre, zoom, the automatic run and what RETURN would do, on as few
// lines as they fit; then the run's stop on a line of its own.
std::vector<std::string> textesBandeau(const ValeursBandeau& v, size_t colonnes);

// The help's lines, each at most `colonnes` characters: a title, then each
// key padded to the longest name, its text folded at blanks under itself
// (cut instead when too little room is left).
std::vector<std::string> textesAide(const SourceBandeau& source, size_t colonnes);

// The text's last characters (UTF-8 code points) behind "...", at most
// `colonnes` in all; the text itself when it fits.
std::string couperDebut(const std::string& texte, size_t colonnes);
// The text's first characters before "...", at most `colonnes` in all.
std::string couperFin(const std::string& texte, size_t colonnes);
