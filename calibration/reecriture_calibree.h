// The calibrated file and the picture of the motion written again whole from
// the history of the run: after every change of the records (advance, step
// back, correction, N, resume) and of the calibration.
#pragma once

#include <string>

constexpr const char* kFichierCalibre = "donnees/resu_calibre.csv";
constexpr const char* kFichierMouvement = "donnees/mouvement.svg";

// Reads the record's history and calibration; writes both files through a
// temporary file and a rename, so a kill leaves each old or new, whole. A
// photo's EXIF time and a record's uncertainty are computed once and kept.
// A failed write is named once with its reason ("Pb pour ecrire le fichier
// calibre ..." / "Pb pour ecrire l'image du mouvement ...") and the file's
// return once ("... de nouveau a jour"). With a calibration in force, EXIF
// times set aside are named once ("Temps : " and why).
void reecrireFichiersCalibres();
