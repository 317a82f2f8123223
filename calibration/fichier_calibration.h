// The calibration file "donnees/calibration.txt": one keyword a line, its
// values after it (echelle, unite, origine, angle, y_vers_le_bas, plan,
// intervalle, and version); blank lines and lines from "#" on are comments.
// Kept across runs, rewritten whole at every change.
#pragma once

#include <string>
#include <vector>

#include "etat/calibration.h"

// What a file's text gives: the values of its readable lines (the last line
// of a keyword wins) and the numbers, from 1, of the others.
struct LectureCalibration {
  Calibration valeurs;
  std::vector<int> lignes_illisibles;
  bool vide = true;  // no line with a keyword
};
LectureCalibration lireTexteCalibration(const std::string& texte);
// The file's text for these values, one line per part set, LF ends.
std::string texteCalibration(const Calibration& c);

// A decimal number as typed: "." or "," as the decimal point, nothing else
// on the line; false for anything else, infinities and NaN included.
bool lireDecimal(const std::string& texte, double& valeur);

constexpr const char* kFichierCalibration = "donnees/calibration.txt";

// At start: reads the file when it is there, names each unreadable line once
// ("Calibration : ligne N illisible, ignoree"), and puts the calibration in
// force. Nothing at all when there is no file.
void lireCalibration();
// At start: lireCalibration, the previous calibrated file kept as a copy
// (F reads its uncertainties back), then the calibrated files written for
// the empty run, so none is left from an earlier run (F rebuilds them from
// its rows).
void demarrerCalibration();
// Writes the record's calibration to the file through a temporary file and a
// rename; "Pb pour ecrire dans le fichier donnees/calibration.txt" when that
// failed (the old file is then whole).
void ecrireCalibration();
