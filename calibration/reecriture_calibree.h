// The calibrated file and the picture of the motion written again whole from
// the history of the run: after every change of the records (advance, step
// back, correction, N, resume) and of the calibration.
#pragma once

#include <string>

constexpr const char* kFichierCalibre = "donnees/resu_calibre.csv";
// The previous run's calibrated file, kept at start for a resume.
constexpr const char* kCopieCalibre = "donnees/resu_calibre.csv.bak";
constexpr const char* kFichierMouvement = "donnees/mouvement.svg";

// Reads the record's history and calibration; writes both files through a
// temporary file and a rename, so a kill leaves each old or new, whole. A
// photo's EXIF time and a record's uncertainty are computed once and kept.
// A failed write is named once with its reason ("Pb pour ecrire le fichier
// calibre ..." / "Pb pour ecrire l'image du mouvement ...") and the file's
// return once ("... de nouveau a jour"). With a calibration in force, EXIF
// times set aside are named once ("Temps : " and why).
void reecrireFichiersCalibres();

// At start, before the first rewrite: what the previous run left in the
// calibrated file copied to kCopieCalibre, as the result files keep theirs
// (a file with no row never replaces the copy). Nothing said when it fails.
void garderCopieCalibree();
// After a resume (F): the rewrite, each resumed record keeping the
// uncertainty the previous run gave it. Resumed rows keep no pixels, so the
// uncertainties are read back from kCopieCalibre through the calibration in
// force, for the rows whose rang, photo, position and unit it holds alike;
// the others (no copy, another calibration, a damaged file) get the model
// from the row's count and spreads, without a word on the console.
void reprendreFichiersCalibres();
