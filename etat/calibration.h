// The calibration of the run: how photo pixels become lengths (keys C, O, Q,
// the file donnees/calibration.txt) and how photos become times. Values only:
// written by calibration/, read by display/ to draw it while T shows the
// trajectory.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A point in photo pixels, y downwards; a clicked pixel (c, r) is the point
// (c + 0.5, r + 0.5).
struct PointPhoto {
  double x = 0.0, y = 0.0;
};

// What the calibration file holds; each part is set or not.
struct Calibration {
  bool echelle = false;          // a known length: its two ends and its length
  bool echelle_sans_bouts = false;  // the short form "echelle L": length per pixel, no ends
  PointPhoto bouts[2];
  double longueur = 0.0;         // in unite; with echelle_sans_bouts, unite per pixel
  std::string unite;             // empty when none was given
  bool origine = false;
  PointPhoto point_origine;
  double angle = 0.0;            // degrees, x axis turned toward y
  bool y_vers_le_bas = false;
  bool plan = false;             // four corners of a rectangle of the object's plane, in order around it
  PointPhoto coins[4];
  double largeur_plan = 0.0, hauteur_plan = 0.0;
  bool intervalle = false;       // seconds between consecutive photos of the series
  double secondes = 0.0;
};

// What the keys C, O and Q wait for.
enum class AttenteCalibration { Aucune, Echelle, Origine, Plan };

// A segment of the drawing of the calibration, photo pixels, with its colour.
struct TraitCalibration {
  PointPhoto a, b;
  uint8_t rouge = 0, vert = 0, bleu = 0;
};

// A photo's time as its EXIF tags give it: seconds since 1970 (UTC when the
// photo names its offset), or none. The whole seconds and the fraction are
// kept apart: one double of seconds since 1970 keeps only about a
// ten-millionth of a second, which the calibrated file's decimals would show.
struct TempsPhoto {
  bool lu = false;
  int64_t secondes = 0;
  double fraction = 0.0;  // 0 <= fraction < 1
};

// A record's position uncertainty in photo pixels, kept per rank of the
// history with what identifies the record it was computed for, so only a new
// or corrected record is measured again.
struct IncertitudeGardee {
  std::string photo;
  int32_t nombre = 0;
  double centre_x = 0.0, centre_y = 0.0;
  double ux = 0.0, uy = 0.0;
};

struct EtatCalibration {
  Calibration valeurs;
  // a calibration file was read or a key set one: positions go through it
  bool en_vigueur = false;
  // the dialogue of C, O, Q: clicks taken so far; the release of a taken
  // click is swallowed too, so no drag of a sub-mode ends on it
  AttenteCalibration attente = AttenteCalibration::Aucune;
  std::vector<PointPhoto> clics;
  bool relache_a_prendre = false;
  // drawn over the photo while T shows the trajectory (display/ reads it)
  std::vector<TraitCalibration> traits;
  // caches of the calibrated files' rewrite
  std::map<std::string, TempsPhoto> temps;
  std::vector<IncertitudeGardee> incertitudes;
  // lines printed once per run
  bool temps_signales = false;
  // a failed write of each calibrated file named, its return still to name
  bool calibre_en_panne = false;
  bool mouvement_en_panne = false;
};
