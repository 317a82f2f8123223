// The demo series as numbers: its options, where the disc stands on each
// photo, which photos hide it or are left out, where the second disc goes,
// and the windows of photos each event covers. Nothing here draws.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

struct Options {
  std::string dossier;
  int photos = 12;
  int largeur = 1280, hauteur = 960;
  int largeur_fenetre = 1000, hauteur_fenetre = 750;
  int indice_zoom = 2;
  int rayon = 40;
  bool difficile = false;
  // Beyond the plain and harder series: a straight path of `pas` pixels a
  // photo in x (0: the arc), the disc hidden on three photos, a second disc
  // of the same colour crossing its path, a disc of two colours, numbers
  // left out of the series.
  double pas = 0.0;
  bool occultation = false, croisement = false, bicolore = false, absentes = false;
  // One of the options above is given: the series gets its events file.
  bool evenementielle() const { return pas > 0.0 || occultation || croisement || bicolore || absentes; }
};

// The photo (from 0) where the harder series' disc jumps by five steps: the
// last but one; -1 in the other series.
int photoSaut(const Options& o);

// The disc's geometric centre on photo k (from 0).
void centreDisque(const Options& o, int k, double& cx, double& cy);

// The harder series' patch of close orange, on the disc's path.
SDL_Rect tache(const Options& o);

// Photo k is drawn without the disc (occultation: three photos from the
// middle of the series).
bool cachee(const Options& o, int k);
// Photo k's file is not written (absentes: one photo at a third of the
// series, two in a row at two thirds).
bool absente(const Options& o, int k);

// The second disc's geometric centre on photo k; false without croisement.
// It crosses the first disc's path two and a half radii ahead of it, half a
// radius a photo across, nearest at the middle of the series: the discs never
// touch, but the second comes well inside a zone drawn around the first.
bool centreSecond(const Options& o, int k, double& cx, double& cy);

// A run of photos (numbers from 1, inclusive) where the series does what an
// operator must see to: "cachee" (the hidden photos and the one the disc
// comes back on), "absente" (the numbers left out and the photo after
// them), "croisement" (the second disc's centre less than four radii away),
// "saut" (the jump photo).
struct Evenement {
  int debut = 0, fin = 0;
  std::string genre;
};
std::vector<Evenement> evenements(const Options& o);

// The options hold together: the disc and its glow fit inside every photo
// on the whole path, and the series is long enough for its events.
bool optionsTenables(const Options& o);
