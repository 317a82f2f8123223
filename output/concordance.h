// The four files of the run kept in step with its history. Each holds, in
// order, the rows or the records of the run's photos and nothing else: a file
// that missed one is marked out of step, takes no later record, and is
// written again whole from the history at the next change that it takes.
#pragma once

#include <string>
#include <vector>

#include "etat/historique.h"
#include "output/resultats.h"

enum class Partie { Detail, Point, X, Y };

// The program's stream of that file.
FichierResultat& fichierDe(Partie partie);

// What the files hold for these souvenirs, in their order: the detail
// file's header and rows, and the records of the rows that wrote one.
struct ContenusRun {
  std::string detail, point, x, y;
};
ContenusRun contenusDe(const std::vector<Souvenir>& souvenirs);

enum class Ecriture {
  Faite,    // the file holds the souvenirs
  Echouee,  // it could not take them: named, out of step
  Fermee,   // it is not open and could not be opened (named at start)
};

// The file brought to hold the souvenirs then nouveau: nouveau's part
// appended when the file is in step, the whole written again when it is not
// or when the append failed. A failure is named once ("Pb pour ecrire dans
// le fichier ..."), the file's return in step once ("Fichier ... de nouveau
// a jour").
Ecriture accorder(Partie partie, const std::vector<Souvenir>& souvenirs, const Souvenir& nouveau);

// Every file out of step, or not open, that can be written again rewritten
// whole from the souvenirs; the folder syncs' failures named.
void rattraper(const std::vector<Souvenir>& souvenirs);

// A step back: the last souvenir's row and record cut from the four files,
// all of them or none. False, with raison naming the file and why, when a cut
// failed: the files are then as before. A file out of step is not cut: the
// next change rewrites it.
bool retirerDernier(const std::vector<Souvenir>& souvenirs, std::string& raison);

// A past record changed: the detail file rewritten whole; false with
// raison, nothing written, when it is open and did not take it (its old rows
// stay whole, still in step with the old record).
bool reecrireDetail(const std::vector<Souvenir>& souvenirs, std::string& raison);
// Then the three result files, each named when it did not take its content.
void reecrireResultats(const std::vector<Souvenir>& souvenirs);

// A resume: the four files replaced together or none. False with raison,
// every file as it was, when one is not open or any step failed.
bool remplacerEnsemble(const std::vector<Souvenir>& souvenirs, std::string& raison);

// RETURN's record: m_centre_x and m_centre_y, as the photo being left gives
// them, appended to the three result files after the history's records (or
// each file rewritten whole when out of step), the others written whatever
// one does.
void ecrireResultats();
